#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>

namespace tavolex {

using namespace Qt::Literals::StringLiterals;

namespace {

QString& folderOverride() {
    static QString folder;
    return folder;
}

QString withSlash(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

// <prefix>/share/tavolex/ of the installed layout.
QString sharedFolder() {
    return withSlash(
        QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/../share/tavolex"_s));
}

constexpr auto kPasswordStore = u"unins000.dll";

} // namespace

void setProgramFolder(const QString& folder) {
    folderOverride() = folder;
}

bool isInstalledCopy() {
    return QFileInfo::exists(sharedFolder() + u"installed-copy"_s);
}

QString programFolder() {
    if (!folderOverride().isEmpty()) return withSlash(folderOverride());
    if (isInstalledCopy()) {
        // ~/.local/share/Tavolex, whatever the application's name was set to.
        return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         u"/Tavolex"_s);
    }
    return withSlash(QCoreApplication::applicationDirPath());
}

QString programPath(const QString& name) {
    return programFolder() + name;
}

QString shippedPath(const QString& name) {
    if (folderOverride().isEmpty() && isInstalledCopy()) return sharedFolder() + name;
    return programPath(name);
}

void restrictNewFiles() {
    if (isInstalledCopy()) ::umask(S_IRWXG | S_IRWXO);
}

bool makePrivate(const QString& path) {
    if (!isInstalledCopy()) return true;
    const QFileInfo info(path);
    if (info.isSymLink()) return true; // the target is not ours to change
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    return QFile::setPermissions(path, info.isDir() ? owner | QFileDevice::ExeOwner : owner);
}

bool prepareProgramFolder() {
    if (!folderOverride().isEmpty() || !isInstalledCopy()) return true;
    const QString folder = programFolder();
    if (!QDir().mkpath(folder) || !makePrivate(folder)) return false;
    const QString store = folder + QString::fromUtf16(kPasswordStore);
    if (QFileInfo::exists(store)) return true;
    return QFile::copy(sharedFolder() + QString::fromUtf16(kPasswordStore), store) &&
           QFile::setPermissions(store, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace tavolex
