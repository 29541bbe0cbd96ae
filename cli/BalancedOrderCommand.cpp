// balanced-order: a presentation order for n panels, written as an order file's lines.
#include <string>
#include <vector>

#include "analysis/BalancedOrder.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"

namespace kestrune::cli {
namespace {

int balancedOrderCommand(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const std::optional<std::string> output = takeOption(args, "-o");
    const std::vector<std::string> names = positionals(args, 1);
    const int panels = positiveNumberArgument("N", names[0]);
    if (panels < kMinBalancedPanels || panels > kMaxPanels)
        throw UsageError("N is a panel count from 3 to 10");
    const std::vector<TPanelPair> order = balancedOrder(panels);
    std::vector<std::string> lines{std::to_string(panels) + "," + std::to_string(order.size())};
    for (const TPanelPair& pair : order)
        lines.push_back(std::to_string(pair.a) + "," + std::to_string(pair.b));
    emitLines(invocation, lines, output);
    return 0;
}

const CommandRegistration balancedOrderRegistration(
    "balanced-order",
    {.usage = "N [-o ORDER.ord]",
     .summary = "偏りのない提示順序",
     .description =
         "N 個(3 から 10)のパネルのすべての対を 1 度ずつ含み、同じパネルが続けて現れず、同じパネルを"
         "含む対ができるだけ離れ、どのパネルも A と B にほぼ同じ回数ずつなる提示順序を書きます。"
         "-o を付けると、ウィザードが書くのと同じ形式の順序ファイルにします。",
     .arguments = {{"N", "パネルの数(3 から 10)。"},
                   {"-o ORDER.ord", "順序ファイルとして書くファイル(シフトJIS、改行 CR LF)。"}},
     .examples = {"kestrune-cli balanced-order 5", "kestrune-cli balanced-order 6 -o 新しい順序.ord"}},
    balancedOrderCommand);

}  // namespace
}  // namespace kestrune::cli
