#include "output/office/OfficeLauncher.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/StudyDisk.h"

namespace kestrune::office {

LaunchResult openInOfficeSuite(const std::filesystem::path& file) {
    const QString path = QString::fromStdString(pathToUtf8(file));
    LaunchResult result;
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (!soffice.isEmpty()) {
        result.program = "soffice";
        // -n: a new document made from the file, so the suite shows it untitled and unsaved.
        result.started = QProcess::startDetached(soffice, {QStringLiteral("-n"), path});
        if (!result.started)
            result.failure = "LibreOffice (soffice) を起動できません。";
        return result;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        result.program = "xdg-open";
        result.started = QProcess::startDetached(opener, {path});
        if (!result.started)
            result.failure = "ファイルを開くプログラム (xdg-open) を起動できません。";
        return result;
    }
    result.failure =
        "オフィスソフトが見つかりません。LibreOffice (soffice) も、ファイルを開くプログラム "
        "(xdg-open) もインストールされていません。";
    return result;
}

std::filesystem::path writeHandOverFile(const std::string& bytes, const std::string& suffix) {
    const QString directory =
        QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/kestrune-office");
    if (!QDir().mkpath(directory))
        throw UserError(messages::cannotCreate(directory.toStdString()));
    QTemporaryFile reserved(directory + QStringLiteral("/kestrune-XXXXXX.") + QString::fromStdString(suffix));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw UserError(messages::cannotCreate(directory.toStdString()));
    const std::filesystem::path path = pathFromUtf8(reserved.fileName().toStdString());
    reserved.close();
    writeFileAtomically(path, bytes);
    return path;
}

}  // namespace kestrune::office
