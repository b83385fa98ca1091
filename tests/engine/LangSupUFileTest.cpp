// Language files: what is read, what is skipped, and which text wins.
#include "FormTranslation.h"
#include "LangSupU.h"
#include "ScriptedMessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool operator==(const TStrItem &a, const TStrItem &b)
{
    return a.Section == b.Section && a.Id == b.Id && a.Text == b.Text;
}

class LangFileTest : public ::testing::Test {
protected:
    std::string Write(const char *name, const std::string &bytes) const
    {
        const QString path = Dir.path() + "/" + QString::fromUtf8(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return path.toStdString();
    }

    // A table switched to the language of the file.
    static TLanguage Loaded(const std::string &path)
    {
        TLanguage lang;
        lang.SetBuiltIn(false);
        lang.LoadFromFile(path);
        return lang;
    }

    QTemporaryDir Dir;
};

const char SampleFile[] =
    "; A sample translation\r\n"
    "[Common]\r\n"
    "Language=Deutsch\r\n"
    "\r\n"
    "[Interface]\r\n"
    "1=Menue\r\n"
    "  2  =  Ohne Namen  \r\n"
    "3=\r\n"
    "4=   \r\n"
    ";5=commented out\r\n"
    "x5=bad key\r\n"
    "5.0=bad key\r\n"
    "+6=Gedrueckt\r\n"
    "-7=negative\r\n"
    "$10=hex key\r\n"
    "99999999999=too big\r\n"
    "110=Projekt schliessen?\r\n"
    "100=Bestaetigung\r\n"
    "\r\n"
    "[MainF]\r\n"
    "1=Heller Pfad\r\n"
    "10=&Datei\r\n"
    "[interface]\r\n"
    "5=wrong case\r\n";

TEST_F(LangFileTest, ReadsNumericKeysWithTextsInFileOrder)
{
    const TLanguage lang = Loaded(Write("de.lng", SampleFile));
    const std::vector<TStrItem> expected = {
        {"Interface", 1, "Menue"},         {"Interface", 2, "Ohne Namen"},
        {"Interface", 6, "Gedrueckt"},     {"Interface", -7, "negative"},
        {"Interface", 16, "hex key"},      {"Interface", 110, "Projekt schliessen?"},
        {"Interface", 100, "Bestaetigung"}, {"MainF", 1, "Heller Pfad"},
        {"MainF", 10, "&Datei"},           {"interface", 5, "wrong case"},
    };
    ASSERT_EQ(lang.Items().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(lang.Items()[i] == expected[i]) << "item " << i << ": " << lang.Items()[i].Text;
}

TEST_F(LangFileTest, InterfaceStringsComeFromTheirKeys)
{
    const TLanguage lang = Loaded(Write("de.lng", SampleFile));
    EXPECT_EQ(lang.GetInterfaceString(0), "Menue");
    EXPECT_EQ(lang.GetInterfaceString(1), "Heller Pfad");
    EXPECT_EQ(lang.GetInterfaceString(2), "Ohne Namen");
    EXPECT_EQ(lang.GetInterfaceString(3), "No text");
    EXPECT_EQ(lang.GetInterfaceString(4), "Normal");
    EXPECT_EQ(lang.GetInterfaceString(5), "Selected");
    EXPECT_EQ(lang.GetInterfaceString(6), "Gedrueckt");
    EXPECT_EQ(lang.GetInterfaceString(7), "Menu");
    EXPECT_EQ(lang.GetInterfaceString(15), "");
    EXPECT_EQ(lang.GetInterfaceString(66), "");
    EXPECT_EQ(lang.GetText("MainF", "File", 10), "&Datei");
    EXPECT_EQ(lang.GetText("MainF", "View", 20), "View");
}

TEST_F(LangFileTest, MessageBoxesTakeTranslatedTextAndTitle)
{
    const TLanguage lang = Loaded(Write("de.lng", SampleFile));
    TScriptedMessageBoxes boxes;
    boxes.Answer(idYes);
    boxes.Answer(idOK);
    EXPECT_EQ(lang.ShowMessageBox(0), idYes);
    EXPECT_EQ(lang.ShowMessageBox(4), idOK);
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Projekt schliessen?");
    EXPECT_EQ(boxes.Shown()[0].Title, "Bestaetigung");
    EXPECT_EQ(boxes.Shown()[1].Text, "File already exists.");
    EXPECT_EQ(boxes.Shown()[1].Title, "Error");
}

TEST_F(LangFileTest, TheTextReadLastWins)
{
    const TLanguage lang = Loaded(Write("twice.lng", "[Interface]\n5=first\n5=second\n[Other]\n5=x\n"
                                                      "[Interface]\n5=third\n"));
    EXPECT_EQ(lang.GetInterfaceString(5), "third");
}

TEST_F(LangFileTest, BuiltInTextsIgnoreLoadedItems)
{
    TLanguage lang = Loaded(Write("de.lng", SampleFile));
    lang.SetBuiltIn(true);
    EXPECT_EQ(lang.GetInterfaceString(2), "No name");
    EXPECT_EQ(lang.GetText("MainF", "default", 1), "default");
    EXPECT_FALSE(lang.FindText("MainF", 1));
    EXPECT_EQ(lang.Items().size(), 10u);

    // Loading while built in changes nothing.
    lang.LoadFromFile(Write("other.lng", "[Interface]\n2=Other\n"));
    EXPECT_EQ(lang.Items().size(), 10u);
    lang.SetBuiltIn(false);
    EXPECT_EQ(lang.GetInterfaceString(2), "Ohne Namen");
}

TEST_F(LangFileTest, AFileInAFolderWithNonAsciiLettersIsRead)
{
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("Языки")));
    const TLanguage lang = Loaded(Write("Языки/fr.lng", "[Interface]\n3=Sans texte\n"));
    EXPECT_EQ(lang.GetInterfaceString(3), "Sans texte");
}

TEST_F(LangFileTest, AMissingFileKeepsTheTextsOfTheLastOne)
{
    TLanguage lang = Loaded(Write("de.lng", SampleFile));
    lang.LoadFromFile((Dir.path() + "/missing.lng").toStdString());
    lang.LoadFromFile(Dir.path().toStdString());
    EXPECT_EQ(lang.GetInterfaceString(2), "Ohne Namen");

    lang.LoadFromFile(Write("fr.lng", "[Interface]\n3=Sans texte\n"));
    EXPECT_EQ(lang.GetInterfaceString(2), "No name");
    EXPECT_EQ(lang.GetInterfaceString(3), "Sans texte");
}

TEST_F(LangFileTest, DamagedFilesGiveNoTextsAndNoCrash)
{
    std::string junk = "[Interface]\n5=";
    for (int i = 0; i < 2000; ++i)
        junk += char((i * 37 + 11) % 256);
    const TLanguage lang = Loaded(Write("junk.lng", junk));
    for (const TStrItem &item : lang.Items())
        EXPECT_FALSE(item.Text.empty());
    EXPECT_TRUE(Loaded(Write("empty.lng", "")).Items().empty());
}

TEST_F(LangFileTest, FilesAreReadInTheCodePageOrAsUtf8AfterAMark)
{
    // "Меню" in Windows-1251 and in UTF-8.
    const std::string ansi = "\xCC\xE5\xED\xFE";
    const std::string utf8 = "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E";
    EXPECT_EQ(Loaded(Write("ru.lng", "[Interface]\n1=" + ansi + "\n")).GetInterfaceString(0), ansi);
    EXPECT_EQ(Loaded(Write("ru8.lng", "\xEF\xBB\xBF[Interface]\n1=" + utf8 + "\n")).GetInterfaceString(0),
              ansi);
}

TEST_F(LangFileTest, FormsAreTranslatedFromTheirSection)
{
    QWidget form;
    form.setObjectName("ParamsF");
    form.setWindowTitle("Options");
    SetTag(form, 1);
    QLabel label("Language", &form);
    SetTag(label, 7);

    TLanguage lang;
    lang.SetBuiltIn(false);
    lang.LoadFromFile(Write("de.lng", "[ParamsF]\n1=Optionen\n7=Sprache\n"));
    lang.SetBuiltIn(true);
    TranslateForm(form, lang);
    EXPECT_EQ(form.windowTitle().toStdString(), "Options");
    EXPECT_EQ(label.text().toStdString(), "Language");

    lang.SetBuiltIn(false);
    TranslateForm(form, lang);
    EXPECT_EQ(form.windowTitle().toStdString(), "Optionen");
    EXPECT_EQ(label.text().toStdString(), "Sprache");
}

}  // namespace
