#include "settings/inifile.h"
#include "settings/programsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tavolex::settings::IniFile;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNumerazione = u"Numerazione Protocollo"_s;
const QString kDocumenti = u"Protocollo Documenti"_s;
const QString kAnnoSolare = u"Indicazione Anno Solare"_s;
const QString kSi = u"S\u00EC"_s;

// Written by hand: LF line ends, comments, blank lines, blanks around names and values,
// a section of another program, and no line end after the last line.
const QByteArray kHandWritten = "; impostazioni\n"
                                "[Altro Programma]\n"
                                "Inizio=999\n"
                                "Chiave libera = valore con  blanks \n"
                                "\n"
                                "[ Numerazione Protocollo ]\n"
                                "  inizio = 0007 \n"
                                "INDICAZIONE ANNO SOLARE=S\xEC\n"
                                "; Ufficio=commentato\n"
                                "\n"
                                "[Protocollo Documenti]\n"
                                "Ufficio=Ufficio Citt\xE0\n"
                                "Operatore=\"Anna Bianchi\"\n"
                                "Vuota=\n"
                                "senza uguale\n"
                                "Ultima=fine";

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"Cartovia.ini"_s);

    QByteArray bytes() const {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    void put(const QByteArray& content) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(content), content.size());
    }
};

} // namespace

TEST_F(IniFileTest, MissingFileReadsEmptyAndIsNotCreated) {
    const IniFile ini(path);
    EXPECT_EQ(ini.readString(kNumerazione, u"Inizio"_s), QString());
    EXPECT_EQ(ini.readString(kNumerazione, u"Inizio"_s, u"1"_s), u"1"_s);
    EXPECT_TRUE(ini.isReadable());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(IniFileTest, SettingsFileAsTheProgramWritesIt) {
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString(kNumerazione, u"Inizio"_s, u"100"_s));
    EXPECT_EQ(bytes(), QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\n"));

    ASSERT_TRUE(ini.writeString(kNumerazione, kAnnoSolare, kSi));
    ASSERT_TRUE(ini.writeString(kDocumenti, u"Ufficio"_s, u"Segreteria"_s));
    ASSERT_TRUE(ini.writeString(kDocumenti, u"Operatore"_s, u"Nicol\u00F2 Forl\u00EC"_s));
    const QByteArray all = "[Numerazione Protocollo]\r\n"
                           "Inizio=100\r\n"
                           "Indicazione Anno Solare=S\xEC\r\n"
                           "[Protocollo Documenti]\r\n"
                           "Ufficio=Segreteria\r\n"
                           "Operatore=Nicol\xF2 Forl\xEC\r\n";
    EXPECT_EQ(bytes(), all);

    // Rewriting a key changes its line only.
    ASSERT_TRUE(ini.writeString(kNumerazione, kAnnoSolare, u"No"_s));
    QByteArray expected = all;
    expected.replace("Solare=S\xEC", "Solare=No");
    EXPECT_EQ(bytes(), expected);

    EXPECT_EQ(ini.readString(kNumerazione, u"Inizio"_s), u"100"_s);
    EXPECT_EQ(ini.readString(kNumerazione, kAnnoSolare), u"No"_s);
    EXPECT_EQ(ini.readString(kDocumenti, u"Operatore"_s), u"Nicol\u00F2 Forl\u00EC"_s);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Cartovia.ini"_s});
}

TEST_F(IniFileTest, YesIsStoredAsOneByteAndReadBack) {
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString(kNumerazione, kAnnoSolare, kSi));
    EXPECT_TRUE(bytes().contains("=S\xEC\r\n"));
    EXPECT_EQ(ini.readString(kNumerazione, kAnnoSolare), kSi);
}

TEST_F(IniFileTest, HandWrittenFileReads) {
    put(kHandWritten);
    const IniFile ini(path);
    struct Case {
        QString section;
        QString key;
        QString value;
    };
    const std::vector<Case> cases = {
        {kNumerazione, u"Inizio"_s, u"0007"_s}, // names match without regard to case and blanks
        {kNumerazione, kAnnoSolare, kSi},
        {u"Altro Programma"_s, u"Inizio"_s, u"999"_s},
        {u"Altro Programma"_s, u"Chiave libera"_s, u"valore con  blanks"_s},
        {kDocumenti, u"Ufficio"_s, u"Ufficio Citt\u00E0"_s},
        {kDocumenti, u"Operatore"_s, u"Anna Bianchi"_s},
        {kDocumenti, u"Ultima"_s, u"fine"_s},
        {kDocumenti, u"Vuota"_s, u""_s},
        {kNumerazione, u"Ufficio"_s, u""_s},       // only in a comment
        {kNumerazione, u"Chiave libera"_s, u""_s}, // in another section
        {kDocumenti, u"senza uguale"_s, u""_s},
        {u"Sezione Assente"_s, u"Inizio"_s, u""_s},
        {u"Numerazione"_s, u"Inizio"_s, u""_s}, // a section name is matched whole
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.readString(c.section, c.key), c.value)
            << c.section.toStdString() << " / " << c.key.toStdString();
    EXPECT_EQ(ini.readString(u"Sezione Assente"_s, u"Inizio"_s, u"1"_s), u"1"_s);
}

TEST_F(IniFileTest, WritingOneKeyKeepsEveryOtherByte) {
    struct Case {
        const char* what;
        QString section;
        QString key;
        QString value;
        QByteArray before; // the part of kHandWritten that changes
        QByteArray after;
    };
    const std::vector<Case> cases = {
        {"existing key, other spelling", kNumerazione, u"Inizio"_s, u"12"_s, "  inizio = 0007 \n",
         "Inizio=12\n"},
        {"new key goes after the section's last line, before the blank line", kNumerazione,
         u"Extra"_s, u"x"_s, "; Ufficio=commentato\n\n", "; Ufficio=commentato\nExtra=x\n\n"},
        {"new key in the last section, which has no final line end", kDocumenti, u"Nuova"_s,
         u"Sal\u00F2"_s, "Ultima=fine", "Ultima=fine\nNuova=Sal\xF2"},
        {"new section at the end", u"Altra Sezione"_s, u"Chiave Con Blank"_s, u"v"_s, "Ultima=fine",
         "Ultima=fine\n[Altra Sezione]\nChiave Con Blank=v\n"},
        {"line break in a value stays on its line", kDocumenti, u"Ufficio"_s, u"a\r\n[Falsa]\nb"_s,
         "Ufficio=Ufficio Citt\xE0\n", "Ufficio=a  [Falsa] b\n"},
    };
    for (const Case& c : cases) {
        put(kHandWritten);
        IniFile ini(path);
        ASSERT_TRUE(ini.writeString(c.section, c.key, c.value)) << c.what;
        QByteArray expected = kHandWritten;
        ASSERT_TRUE(expected.contains(c.before)) << c.what;
        expected.replace(c.before, c.after);
        EXPECT_EQ(bytes(), expected) << c.what;
        EXPECT_EQ(ini.readString(c.section, c.key),
                  QString(c.value).replace(u'\r', u' ').replace(u'\n', u' '))
            << c.what;
        EXPECT_EQ(ini.readString(u"Altro Programma"_s, u"Inizio"_s), u"999"_s) << c.what;
    }
}

TEST_F(IniFileTest, CrLfFileGetsCrLfLines) {
    put("[Protocollo Documenti]\r\nUfficio=A\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString(kDocumenti, u"Operatore"_s, u"B"_s));
    ASSERT_TRUE(ini.writeString(kNumerazione, u"Inizio"_s, u"5"_s));
    EXPECT_EQ(bytes(), QByteArray("[Protocollo Documenti]\r\nUfficio=A\r\nOperatore=B\r\n"
                                  "[Numerazione Protocollo]\r\nInizio=5\r\n"));
}

TEST_F(IniFileTest, EmptyFileGetsItsFirstSection) {
    put("");
    IniFile ini(path);
    EXPECT_EQ(ini.readString(kDocumenti, u"Ufficio"_s), QString());
    ASSERT_TRUE(ini.writeString(kDocumenti, u"Ufficio"_s, u"A"_s));
    EXPECT_EQ(bytes(), QByteArray("[Protocollo Documenti]\r\nUfficio=A\r\n"));
}

TEST_F(IniFileTest, UnreadableFileIsReportedAndNotReplaced) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Cartovia.ini"_s)); // a folder in its place
    IniFile ini(path);
    EXPECT_FALSE(ini.isReadable());
    EXPECT_EQ(ini.readString(kNumerazione, u"Inizio"_s, u"1"_s), u"1"_s);
    EXPECT_FALSE(ini.writeString(kNumerazione, u"Inizio"_s, u"5"_s));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(IniFileTest, FailedWriteLeavesTheFileAsItWas) {
    // No work file can be made beside a name this long, so the write fails before it starts.
    path = dir.filePath(QString(250, u'c') + u".ini"_s);
    put("[Numerazione Protocollo]\r\nInizio=3\r\n");
    IniFile ini(path);
    EXPECT_FALSE(ini.writeString(kNumerazione, u"Inizio"_s, u"4"_s));
    EXPECT_EQ(bytes(), QByteArray("[Numerazione Protocollo]\r\nInizio=3\r\n"));
    EXPECT_EQ(ini.readString(kNumerazione, u"Inizio"_s), u"3"_s);
}

// Keys declared once with their type: what a missing, a good and a bad value read as, and
// the form each writes.
TEST(SettingKeys, ReadAsDeclaredAndWriteTheirForm) {
    using namespace tavolex::settings;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Cartovia.ini"_s);
    constexpr FlagKey flag{u"Prova", u"Flag", u"S\u00EC", u"No", true};
    constexpr NumberKey number{u"Prova", u"Numero", 1, 99, 10};
    constexpr TextKey text{u"Prova", u"Testo", u"vuoto"};
    IniFile ini(path);
    EXPECT_TRUE(flag.read(ini));
    EXPECT_EQ(number.read(ini), 10);
    EXPECT_EQ(text.read(ini), u"vuoto"_s);
    const struct {
        QByteArray file;
        bool flag;
        int number;
    } cases[] = {
        {"[Prova]\r\nFlag=No\r\nNumero=5\r\n", false, 5},
        {"[Prova]\r\nFlag= S\xEC \r\nNumero= 7 \r\n", true, 7},
        {"[Prova]\r\nFlag=forse\r\nNumero=cento\r\n", true, 10},
        {"[Prova]\r\nFlag=no\r\nNumero=0\r\n", true, 1},
        {"[Prova]\r\nNumero=1000\r\n", true, 99},
    };
    for (const auto& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.file);
        file.close();
        EXPECT_EQ(flag.read(ini), c.flag) << c.file.constData();
        EXPECT_EQ(number.read(ini), c.number) << c.file.constData();
    }
    ASSERT_TRUE(flag.write(ini, false));
    ASSERT_TRUE(number.write(ini, 500));
    ASSERT_TRUE(text.write(ini, u"Citt\u00E0"_s));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.contains("Flag=No\r\n")) << written.constData();
    EXPECT_TRUE(written.contains("Numero=99\r\n")) << written.constData();
    EXPECT_TRUE(written.contains("Testo=Citt\xE0\r\n")) << written.constData();
}
