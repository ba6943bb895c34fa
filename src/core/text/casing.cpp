#include "casing.h"

namespace tavolex::text {

QString trimmed(const QString& s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= 32)
        ++begin;
    while (end > begin && s[end - 1].unicode() <= 32)
        --end;
    return (begin == 0 && end == s.size()) ? s : s.mid(begin, end - begin);
}

QString upperAZ(const QString& s) {
    QString out = s;
    for (QChar& ch : out)
        if (ch >= u'a' && ch <= u'z') ch = QChar(ch.unicode() - 32);
    return out;
}

QString lowerAZ(const QString& s) {
    QString out = s;
    for (QChar& ch : out)
        if (ch >= u'A' && ch <= u'Z') ch = QChar(ch.unicode() + 32);
    return out;
}

bool isDigitsOnly(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar ch : s)
        if (ch < u'0' || ch > u'9') return false;
    return true;
}

} // namespace tavolex::text
