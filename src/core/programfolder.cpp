#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace tavolex {

namespace {
QString& folderOverride() {
    static QString folder;
    return folder;
}
} // namespace

void setProgramFolder(const QString& folder) {
    folderOverride() = folder;
}

QString programFolder() {
    QString folder = folderOverride();
    if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

QString programPath(const QString& name) {
    return programFolder() + name;
}

} // namespace tavolex
