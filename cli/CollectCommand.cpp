// collect: answering on phones and tablets over the local network. kestrune-cli knows the
// command by its manual; the work is in kestrune-cli-collect (cli/collect/), the program that
// links the HTTP server and the QR code encoder, which kestrune-cli runs in its own place.
#include "cli/Command.h"
#include "cli/CommonArguments.h"

namespace kestrune::cli {
namespace {

using namespace common_arguments;

const CommandRegistration collectCommand(
    "collect",
    {.usage = "SERIES GROUP NAME [--subjects N] [--codes LIST] [--shuffle] [--keep-unfinished] "
              "[--bind ADDRESS] [--port PORT] [--yes]",
     .summary = "端末での回答の受付(教室や実験室のネットワークで)",
     .description =
         "被験者が自分のスマートフォンやタブレットで回答できるように、このコンピューターで回答の受付を"
         "始めます。標準出力の 1 行目に「URL: 」に続けて参加用の URL を書き、次に端末に QR コードを描き、"
         "被験者が対に答えるたびに進み具合を 1 行ずつ書きます。--subjects N の人数が回答を終えたとき、"
         "または SIGINT(Ctrl+C)か SIGTERM を受けたときに受付を終え、回答を終えた被験者を終えた順に"
         "データファイル NAME.dat に書きます。受け付けた回答はその都度データファイルの隣の NAME.journal "
         "に記録されるので、途中でプログラムが止まっても同じ引数で起動し直せば続きから受け付けます。"
         "同名のデータファイルがあるときは始める前に上書きしてよいか尋ねます。受付中に同名のファイルが"
         "できたときは、--yes がなければ上書きせずに回答を NAME.journal に残して終了コード 1 で終えます。ネットワーク上で参加用の"
         "URL か短縮コードを知る人は誰でも新しい被験者として回答できます(配った用紙と同じです)。",
     .arguments =
         {kSeries,
          kGroup,
          {"NAME", "書くデータファイルの名前。拡張子 .dat は付けません。"},
          {"--subjects N", "この人数(1 から 100)が回答を終えたら受付を終えます。"},
          {"--codes LIST", "パネル番号の代わりに画面に出す試料の記号。パネルの数だけ、コンマで区切ります。"},
          {"--shuffle", "対を見せる順序を被験者ごとに無作為に変えます(記録はシリーズの順)。"},
          {"--keep-unfinished", "回答を終えていない被験者も、終えた被験者の後に残します(未回答は -1)。"},
          {"--bind ADDRESS",
           "待ち受けるアドレス。省略するとこのコンピューターの最初のプライベートアドレス。"},
          {"--port PORT", "待ち受けるポート。0 か省略で空いているポート(再開のときは前回のポート)。"},
          {"--yes", "同名のデータファイルがあっても尋ねずに上書きします。"}},
     .examples = {"kestrune-cli collect 色彩の印象 mix 教室2026 --subjects 24 --bind 127.0.0.1 --port 0"}},
    kWorkInDrawingProgram);

}  // namespace
}  // namespace kestrune::cli
