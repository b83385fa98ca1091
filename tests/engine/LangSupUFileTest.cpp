// Language files: what is read, what is skipped, and which text wins.
#include "FormTranslation.h"
#include "LangSupU.h"
#include "ScriptedMessageBoxes.h"
#include "StreamBytes.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

bool operator==(const TStrItem &a, const TStrItem &b)
{
    return a.Section == b.Section && a.Id == b.Id && a.Text == b.Text;
}

class LangFileTest : public ::testing::Test {
protected:
    std::string Write(const char *name, const std::string &bytes) const { return Dir.Write(name, bytes); }

    // A table switched to the language of the file.
    static TLanguage Loaded(const std::string &path)
    {
        TLanguage lang;
        lang.SetBuiltIn(false);
        lang.LoadFromFile(path);
        return lang;
    }

    TTempFolder Dir;
};

const char SampleFile[] = "; A sample translation\r\n[Common]\r\nLanguage=Deutsch\r\n\r\n[Interface]\r\n1=Menue\r\n"
                          "  2  =  Ohne Namen  \r\n3=\r\n4=   \r\n;5=commented out\r\nx5=bad key\r\n5.0=bad key\r\n"
                          "+6=Gedrueckt\r\n-7=negative\r\n$10=hex key\r\n99999999999=too big\r\n"
                          "110=Projekt schliessen?\r\n100=Bestaetigung\r\n\r\n[MainF]\r\n1=Heller Pfad\r\n"
                          "10=&Datei\r\n[interface]\r\n5=wrong case\r\n";

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

// Texts the file lacks stay the built-in ones; the caption of the main
// window is also the program's name.
TEST_F(LangFileTest, InterfaceStringsAndMessagesComeFromTheirKeys)
{
    const TLanguage lang = Loaded(Write("de.lng", SampleFile));
    const std::pair<int, const char *> strings[] = {{0, "Menue"},     {1, "Heller Pfad"}, {2, "Ohne Namen"},
                                                    {3, "No text"},   {5, "Selected"},    {6, "Gedrueckt"},
                                                    {7, "Menu"},      {15, ""},           {66, ""}};
    for (const auto &[code, text] : strings)
        EXPECT_EQ(lang.GetInterfaceString(code), text) << code;
    EXPECT_EQ(lang.GetText("MainF", "File", 10), "&Datei");
    EXPECT_EQ(lang.GetText("MainF", "View", 20), "View");
    TScriptedMessageBoxes boxes;
    boxes.Answer(idYes);
    boxes.Answer(idOK);
    EXPECT_EQ(lang.ShowMessageBox(0), idYes);
    EXPECT_EQ(lang.ShowMessageBox(4), idOK);
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].Text + "|" + boxes.Shown()[0].Title, "Projekt schliessen?|Bestaetigung");
    EXPECT_EQ(boxes.Shown()[1].Text + "|" + boxes.Shown()[1].Title, "File already exists.|Error");
    EXPECT_EQ(Loaded(Write("twice.lng", "[Interface]\n5=first\n5=second\n[Other]\n5=x\n[Interface]\n5=third\n"))
                  .GetInterfaceString(5),
              "third");  // the text read last wins
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

// A file that cannot be read keeps the texts of the last one; a damaged
// one gives no empty texts; files are in the code page or, after a mark, in
// UTF-8, in folders of any letters.
TEST_F(LangFileTest, WhatIsReadFromMissingDamagedAndUtf8Files)
{
    TLanguage lang = Loaded(Write("de.lng", SampleFile));
    lang.LoadFromFile(Dir.Path("missing.lng"));
    lang.LoadFromFile(Dir.Path());
    EXPECT_EQ(lang.GetInterfaceString(2), "Ohne Namen");
    ASSERT_TRUE(CreateFolder(Dir.Path("\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB8")));  // "Языки"
    lang.LoadFromFile(Write("\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB8/fr.lng", "[Interface]\n3=Sans texte\n"));
    EXPECT_EQ(lang.GetInterfaceString(2), "No name");
    EXPECT_EQ(lang.GetInterfaceString(3), "Sans texte");

    std::string junk = "[Interface]\n5=";
    for (int i = 0; i < 2000; ++i)
        junk += char((i * 37 + 11) % 256);
    const TLanguage damaged = Loaded(Write("junk.lng", junk));
    for (const TStrItem &item : damaged.Items())
        EXPECT_FALSE(item.Text.empty());
    EXPECT_TRUE(Loaded(Write("empty.lng", "")).Items().empty());

    // "Меню" in Windows-1251 and in UTF-8.
    const std::string ansi = "\xCC\xE5\xED\xFE", utf8 = "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E";
    EXPECT_EQ(Loaded(Write("ru.lng", "[Interface]\n1=" + ansi + "\n")).GetInterfaceString(0), ansi);
    EXPECT_EQ(Loaded(Write("ru8.lng", "\xEF\xBB\xBF[Interface]\n1=" + utf8 + "\n")).GetInterfaceString(0), ansi);
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
