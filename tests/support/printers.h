#pragma once

// How GoogleTest prints Qt values in its failure messages: a text in quotes, a date as
// yyyy-MM-dd. Found by argument-dependent lookup, so they live in Qt's namespace.
#include <QDate>
#include <QString>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QDate& d, std::ostream* os) {
    *os << d.toString(Qt::ISODate).toStdString();
}
QT_END_NAMESPACE
