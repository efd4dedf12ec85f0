// The GTK settings dialog under Xvfb, run as zembria -c runs it, on an
// options folder of the test and the built dictionaries. A timeout plays the
// user: it reads the controls back through GTK, changes them and presses a
// button. The first test leaves dialog.png in the build folder.

#include "settings/DialogControls.h"
#include "settings/KeyValueStore.h"
#include "settings/MemberCode.h"
#include "settings/SettingsDialog.h"
#include "settings/linux/gtk/GtkSettingsDialog.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> messages; // "caption: text" of every message shown

std::string Text(int id)
{
    GtkWidget* widget = SettingsControl(id);
    if (GTK_IS_ENTRY(widget)) return gtk_entry_get_text(GTK_ENTRY(widget));
    if (GTK_IS_BIN(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
    return GTK_IS_LABEL(widget) ? gtk_label_get_text(GTK_LABEL(widget)) : "?";
}
void Type(int id, const char* text) { gtk_entry_set_text(GTK_ENTRY(SettingsControl(id)), text); }
int Selection(int id) { return gtk_combo_box_get_active(GTK_COMBO_BOX(SettingsControl(id))); }
bool Checked(int id) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(SettingsControl(id))); }
void Press(int button) { gtk_button_clicked(GTK_BUTTON(SettingsControl(button))); }

// A dictionary text as the dialog must show it, in UTF-8.
std::string DictionaryText(int language, const char* key)
{
    KeyValueStore dictionary;
    EXPECT_EQ(dictionary.Load(std::string(ZEMBRIA_BIN_DIR) + "/dictionary." + std::to_string(language)), 0);
    gchar* text = g_convert(dictionary.GetString(key, "").c_str(), -1, "UTF-8", "WINDOWS-1252", nullptr, nullptr, nullptr);
    std::string result = text ? text : "";
    g_free(text);
    EXPECT_FALSE(result.empty()) << key;
    return result;
}

// The labels, notes and check boxes filled from the dictionary of a language.
void ExpectTextsOf(int language)
{
    const struct { int id; const char* key; } texts[] = {
        {IDC_LANGUAGE_LABEL, "LanguageStr"}, {IDC_REFRESH_LABEL, "Refreshtime"},
        {IDC_SHOW_LOCAL_TIME, "ShowLocalTime"}, {IDC_INFO_REFRESH, "InfoRefresh"}};
    for (const auto& text : texts)
        EXPECT_EQ(Text(text.id), DictionaryText(language, text.key)) << text.key;
    EXPECT_EQ(Text(IDC_TITLE), DictionaryText(language, "App") + " " + DictionaryText(language, "AppTitle"));
}

// The dialog object the window under test is bound to.
SettingsDialog settings;
std::function<void()> user;

gboolean PlayUser(gpointer)
{
    user();
    if (gtk_widget_get_visible(static_cast<GtkWidget*>(settings.window))) {
        ADD_FAILURE() << "the dialog is still open after the user's steps";
        Press(2);
    }
    return G_SOURCE_REMOVE;
}

class GtkSettingsDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(StartGtk(), 0); }

    void SetUp() override
    {
        SettingsMessage = [](const std::string& text, const std::string& caption) {
            messages.push_back(caption + ": " + text);
        };
        messages.clear();
        folder = fs::path(ZEMBRIA_DIALOG_TEST_DIR) / testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        fs::create_directories(folder);
    }

    void WriteOptions(std::initializer_list<std::string> lines)
    {
        std::ofstream out(folder / "Zembria.ini", std::ios::binary);
        for (const auto& line : lines) out << line << "\r\n";
    }
    std::string Options()
    {
        std::ifstream in(folder / "Zembria.ini", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Runs the dialog until it ends; the user's steps start once it shows.
    int Run(std::function<void()> steps)
    {
        user = std::move(steps);
        GtkWidget* window = CreateSettingsWindow(settings, folder.string(), ZEMBRIA_BIN_DIR);
        g_timeout_add(200, PlayUser, nullptr);
        return RunSettingsWindow(window);
    }

    fs::path folder;
};

TEST_F(GtkSettingsDialogTest, ShowsTheOptionsInGermanAndOkWritesTheLayout)
{
    WriteOptions({"Language\t=\t0", "MemberLogin\t=\tanna", "MemberCode\t=\t0123456789ABCDEF0123456789ABCDEF",
                  "RefreshRate\t=\t5", "CacheDays\t=\t7", "ShowZembrianTime\t=\tyes", "ShowLocalTime\t=\tno",
                  "ShowAllInfos\t=\tyes"});
    const int result = Run([&] {
        EXPECT_EQ(Selection(IDC_LANGUAGE), 0);
        EXPECT_EQ(Selection(IDC_REFRESH_RATE), 5);
        EXPECT_EQ(Text(IDC_MEMBER_LOGIN), "anna");
        EXPECT_EQ(Text(IDC_PASSWORD), "****");
        EXPECT_EQ(Text(IDC_CACHE_DAYS), "7");
        EXPECT_TRUE(Checked(IDC_SHOW_ZEMBRIAN_TIME));
        EXPECT_FALSE(Checked(IDC_SHOW_LOCAL_TIME));
        EXPECT_TRUE(Checked(IDC_SHOW_ALL_INFOS));
        EXPECT_EQ(Text(IDC_PROXY_HOST), "n.a.");
        EXPECT_FALSE(gtk_widget_is_sensitive(SettingsControl(IDC_PROXY_HOST)));
        EXPECT_FALSE(gtk_entry_get_visibility(GTK_ENTRY(SettingsControl(IDC_PASSWORD))));
        ExpectTextsOf(0);

        // The window as a user sees it, for the README.
        GdkWindow* shown = gtk_widget_get_window(static_cast<GtkWidget*>(settings.window));
        GdkPixbuf* picture = gdk_pixbuf_get_from_window(shown, 0, 0, gdk_window_get_width(shown),
                                                        gdk_window_get_height(shown));
        ASSERT_NE(picture, nullptr);
        EXPECT_TRUE(gdk_pixbuf_save(picture, (folder / "dialog.png").c_str(), "png", nullptr, nullptr));
        g_object_unref(picture);

        gtk_combo_box_set_active(GTK_COMBO_BOX(SettingsControl(IDC_LANGUAGE)), 1);
        Type(IDC_PASSWORD, "geheim");
        Type(IDC_CACHE_DAYS, " 30 ");
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(SettingsControl(IDC_SHOW_ALL_INFOS)), FALSE);
        Press(1);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(messages.empty());

    const std::string written = Options();
    size_t lines = 0;
    for (size_t at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 27u);
    for (const std::string& line : std::vector<std::string>{"Language\t=\t1", "CacheDays\t=\t30", "MemberLogin\t=\tanna",
                                   "MemberCode\t=\t" + MemberCodeOf("geheim"), "RefreshRate\t=\t5",
                                   "ShowZembrianTime\t=\tyes", "ShowLocalTime\t=\tno", "ShowAllInfos\t=\tno"})
        EXPECT_NE(written.find("\r\n" + line + "\r\n"), std::string::npos) << line;
}

TEST_F(GtkSettingsDialogTest, ShowsEnglishAndCancelWritesNothing)
{
    WriteOptions({"Language\t=\t1", "CacheDays\t=\t7"});
    const std::string before = Options();
    const int result = Run([&] {
        ExpectTextsOf(1);
        Type(IDC_CACHE_DAYS, "99");
        Type(IDC_MEMBER_LOGIN, "bert");
        Press(2);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Options(), before);
}

TEST_F(GtkSettingsDialogTest, RefusedFieldsKeepTheDialogOpenAndSaveNothing)
{
    WriteOptions({"Language\t=\t1", "MemberLogin\t=\tanna", "CacheDays\t=\t7"});
    const std::string before = Options();
    const struct {
        int id;
        const char* typed;
        const char* message;
        const char* accepted;
    } rows[] = {
        {IDC_CACHE_DAYS, "12x", "Error: Cache days must be a whole number of 0 or more!", "9"},
        {IDC_MEMBER_LOGIN, "ab#c", "Error: The member name field can't hold a \"#\"!", "abc"}, // read back as "ab"
    };
    const int result = Run([&] {
        for (const auto& row : rows) {
            messages.clear();
            Type(row.id, row.typed);
            Press(1);
            EXPECT_EQ(messages, std::vector<std::string>{row.message});
            EXPECT_TRUE(gtk_widget_get_visible(static_cast<GtkWidget*>(settings.window)));
            EXPECT_EQ(Options(), before);
            Type(row.id, row.accepted);
        }
        Press(1);
    });
    EXPECT_EQ(result, 1);
    EXPECT_NE(Options().find("\r\nCacheDays\t=\t9\r\n"), std::string::npos);
    EXPECT_NE(Options().find("\r\nMemberLogin\t=\tabc\r\n"), std::string::npos);
}

// Texts cross into GTK as UTF-8 and back as Windows-1252: the file's 0xE4
// shows as "ä" and a typed "ä" is 0xE4 again (here in the bytes hashed for
// the member code); a byte Windows-1252 lacks shows as U+FFFD and, left
// alone, stays; a typed character outside Windows-1252 is refused.
TEST_F(GtkSettingsDialogTest, ConvertsBetweenWindows1252AndGtk)
{
    WriteOptions({"Language\t=\t1", "MemberLogin\t=\tj\xe4g\x81r"});
    const std::string before = Options();
    const int result = Run([&] {
        EXPECT_EQ(Text(IDC_MEMBER_LOGIN), "j\u00e4g\ufffdr");
        Type(IDC_PASSWORD, "\u03a9mega");
        Press(1);
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.at(0), "Error: The password field holds a character outside Windows-1252 (Western European)!");
        EXPECT_EQ(Options(), before);
        Type(IDC_PASSWORD, "b\u00e4r");
        Press(1);
    });
    EXPECT_EQ(result, 1);
    KeyValueStore saved;
    ASSERT_EQ(saved.Load((folder / "Zembria.ini").string()), 0);
    EXPECT_EQ(saved.GetString("MemberLogin", ""), "j\xe4g\x81r");
    EXPECT_EQ(saved.GetString("MemberCode", ""), MemberCodeOf("b\xe4r"));
}

} // namespace
