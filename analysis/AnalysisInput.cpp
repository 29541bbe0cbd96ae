#include "analysis/AnalysisInput.h"

#include <cstdint>

#include "analysis/AnalysisMessages.h"
#include "core/Error.h"

namespace kestrune {

namespace am = analysis_messages;

std::string shownPath(const std::filesystem::path& path) {
    return StudyDisk::pathLabel(path);
}

namespace {

void checkHeader(const TResponseMatrix& answers, const std::string& file, const AnalysisLimits& limits) {
    if (answers.subjects == 0)
        throw UserError(am::noSubjects(file));
    if (answers.subjects < 0 || answers.subjects > limits.subjects) {
        throw UserError(am::tooManySubjects(file, answers.subjects, limits.subjects));
    }
    if (answers.pairs < 1 || answers.pairs > limits.pairs) {
        throw UserError(am::pairCountOutOfRange(file, answers.pairs, limits.pairs));
    }
    if (answers.images < 1 || answers.images > limits.images) {
        throw UserError(am::imageCountOutOfRange(file, answers.images, limits.images));
    }
}

void checkOrder(const OrderFile& order, const std::string& file, const AnalysisLimits& limits) {
    if (order.panelCount < 2 || order.panelCount > limits.panels) {
        throw UserError(am::panelCountOutOfRange(file, order.panelCount, 2, limits.panels));
    }
    for (std::size_t p = 0; p < order.pairs.size(); ++p) {
        const long long line = static_cast<long long>(p) + 2;
        for (int panel : {order.pairs[p].a, order.pairs[p].b}) {
            if (panel < 1 || panel > limits.panels) {
                throw UserError(am::panelNumberOutOfRange(file, line, panel, limits.panels));
            }
        }
    }
}

void checkAnswers(const TResponseMatrix& answers, const std::string& file) {
    const std::size_t count = answers.answerCount();
    // Nearly every file holds only 0 and 1: one pass without branches, which the compiler
    // vectorises, says so, and only another file is searched for its first other value.
    std::uint32_t outside = 0;
    for (std::size_t n = 0; n < count; ++n)
        outside |= static_cast<std::uint32_t>(answers.answers[n]) > 1u;
    if (outside == 0)
        return;
    for (std::size_t n = 0; n < count; ++n) {
        const std::int32_t value = answers.answers[n];
        if (value == kChoseA || value == kChoseB)
            continue;
        const long long line = static_cast<long long>(n) + 2;  // line 1 is the header
        if (value == kUnanswered)
            throw UserError(am::unanswered(file, line));
        throw UserError(am::answerOutOfRange(file, line, value));
    }
}

}  // namespace

TResponseMatrix readCheckedResponses(const std::filesystem::path& dataPath, const AnalysisLimits& limits) {
    TResponseMatrix answers = ReadResponseFile(dataPath);
    checkHeader(answers, shownPath(dataPath), limits);
    return answers;
}

AnalysisInput completeAnalysisInput(const std::filesystem::path& dataPath, TResponseMatrix answers,
                                    const std::filesystem::path& orderPath, const AnalysisLimits& limits) {
    AnalysisInput input;
    input.dataPath = dataPath;
    input.answers = std::move(answers);
    OrderFile order = ReadOrderFile(orderPath, input.answers.pairs);
    checkOrder(order, shownPath(orderPath), limits);
    checkAnswers(input.answers, shownPath(dataPath));
    input.panelCount = order.panelCount;
    input.pairs = std::move(order.pairs);
    return input;
}

AnalysisInput loadAnalysisInput(const std::filesystem::path& dataPath, const std::filesystem::path& orderPath,
                                const AnalysisLimits& limits) {
    return completeAnalysisInput(dataPath, readCheckedResponses(dataPath, limits), orderPath, limits);
}

AnalysisInput loadAnalysisInput(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                std::string_view file, const AnalysisLimits& limits) {
    return loadAnalysisInput(disk.dataPath(group, series, file), disk.orderPath(series), limits);
}

}  // namespace kestrune
