// The settings dialog on GTK 3. The controls sit where template 2003 puts
// them (dialog units of its 8-point font turned into pixels); their texts
// are the options' and dictionaries' Windows-1252, shown as UTF-8 and read
// back into it.

#include "settings/linux/gtk/GtkSettingsDialog.h"

#include "platform/Paths.h"
#include "settings/DialogControls.h"
#include "settings/SettingsDialog.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <map>
#include <optional>
#include <set>

void (*SettingsMessage)(const std::string& text, const std::string& caption) = nullptr;

namespace {

constexpr int OkId = 1;
constexpr int CancelId = 2;
constexpr int BannerId = -1;
constexpr int FrameId = -2;

enum class Kind { List, Edit, Secret, Check, Text, RightText, Button, Banner, Frame };

struct Control {
    int id;
    Kind kind;
    int x, y, width, height; // dialog units
    bool disabled;
    const char* text;        // the texts the dialog keeps; the others are filled on opening
};

// The template's controls. A list's height is that of its drop-down, so the
// closed box takes the height of an edit.
const Control Controls[] = {
    {BannerId, Kind::Banner, 0, 0, 300, 40, false, nullptr},
    {IDC_LANGUAGE, Kind::List, 99, 64, 70, 14, false, nullptr},
    {IDC_MEMBER_LOGIN, Kind::Edit, 99, 86, 70, 14, false, nullptr},
    {IDC_PASSWORD, Kind::Secret, 99, 110, 70, 14, false, nullptr},
    {IDC_REFRESH_RATE, Kind::List, 99, 133, 70, 14, false, nullptr},
    {IDC_SHOW_ZEMBRIAN_TIME, Kind::Check, 9, 176, 99, 11, false, nullptr},
    {IDC_SHOW_ALL_INFOS, Kind::Check, 9, 201, 99, 18, false, nullptr},
    {IDC_PROXY_HOST, Kind::Edit, 99, 221, 70, 14, true, nullptr},
    {IDC_PROXY_PORT, Kind::Edit, 99, 245, 70, 14, true, nullptr},
    {IDC_PROXY_LOGIN, Kind::Edit, 99, 269, 70, 14, true, nullptr},
    {IDC_PROXY_PASSWORD, Kind::Edit, 99, 293, 70, 14, true, nullptr},
    {OkId, Kind::Button, 209, 321, 50, 14, false, "OK"},
    {CancelId, Kind::Button, 31, 321, 50, 14, false, "Abbrechen"},
    {IDC_TITLE, Kind::RightText, 183, 41, 98, 9, false, nullptr},
    {IDC_VERSION, Kind::RightText, 225, 49, 56, 8, false, nullptr},
    {IDC_WEB_SITE, Kind::RightText, 174, 306, 107, 8, false, nullptr},
    {FrameId, Kind::Frame, 7, 315, 274, 1, false, nullptr},
    {IDC_LANGUAGE_LABEL, Kind::Text, 9, 67, 85, 8, false, nullptr},
    {IDC_LOGIN_LABEL, Kind::Text, 9, 90, 85, 8, false, nullptr},
    {IDC_PASSWORD_LABEL, Kind::Text, 9, 113, 85, 8, false, nullptr},
    {IDC_REFRESH_LABEL, Kind::Text, 9, 135, 83, 8, false, nullptr},
    {IDC_PROXY_HOST_LABEL, Kind::Text, 9, 223, 85, 8, true, nullptr},
    {IDC_PROXY_PORT_LABEL, Kind::Text, 9, 247, 85, 8, true, nullptr},
    {IDC_PROXY_LOGIN_LABEL, Kind::Text, 9, 271, 85, 8, true, nullptr},
    {IDC_PROXY_PASSWORD_LABEL, Kind::Text, 9, 295, 85, 8, true, nullptr},
    {IDC_INFO_LANGUAGE, Kind::Text, 179, 63, 107, 17, false, nullptr},
    {IDC_INFO_LOGIN, Kind::Text, 179, 85, 107, 25, false, nullptr},
    {IDC_INFO_REFRESH, Kind::Text, 179, 133, 104, 53, false, nullptr},
    {IDC_INFO_ADV1, Kind::Text, 180, 109, 100, 8, false, nullptr},
    {IDC_INFO_ADV2, Kind::Text, 180, 117, 82, 8, false, nullptr},
    {IDC_INFO_ADV3, Kind::Text, 180, 125, 100, 8, false, nullptr},
    {IDC_INFO_PROXY, Kind::Text, 179, 220, 101, 85, false,
     "Sofern Ihr Internetzugang nur über einen Proxy zur Verfügung steht, so können Sie die notwendigen "
     "Parameter hier eintragen. Wird Hostname oder Port leer gelassen, wird kein Proxy verwendet."},
    {IDC_SHOW_LOCAL_TIME, Kind::Check, 9, 188, 99, 10, false, nullptr},
    {IDC_CACHE_DAYS, Kind::Edit, 99, 154, 70, 14, false, nullptr},
    {IDC_CACHE_DAYS_LABEL, Kind::Text, 9, 155, 88, 8, false, nullptr},
};

// "MS Shell Dlg" 8 point has a 6 by 13 pixel average character: a dialog
// unit is a quarter of its width and an eighth of its height.
int PixelsX(int units) { return units * 6 / 4; }
int PixelsY(int units) { return units * 13 / 8; }
constexpr int DialogWidth = 292, DialogHeight = 342;

struct OpenDialog {
    SettingsDialog* settings = nullptr; // the logic the controls are bound to
    GtkWidget* window = nullptr;
    std::map<int, GtkWidget*> controls;
    std::set<int> edited; // entries the user changed since the dialog set their text
    GMainLoop* loop = nullptr;
    int result = 0;
};
OpenDialog dialog;

const char ReplacementCharacter[] = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

// Windows-1252 as UTF-8. A byte the code page leaves undefined shows as the
// replacement character; the logic keeps the value's bytes while the user
// leaves the field alone.
std::string Shown(const std::string& text)
{
    gsize written = 0;
    if (gchar* whole = g_convert(text.data(), static_cast<gssize>(text.size()), "UTF-8", "WINDOWS-1252", nullptr,
                                 &written, nullptr)) {
        std::string shown(whole, written);
        g_free(whole);
        return shown;
    }
    std::string shown;
    for (const char& byte : text) {
        gchar* one = g_convert(&byte, 1, "UTF-8", "WINDOWS-1252", nullptr, &written, nullptr);
        shown += one ? std::string(one, written) : ReplacementCharacter;
        g_free(one);
    }
    return shown;
}

// UTF-8 as Windows-1252; nothing when a character has no byte there, so it
// never silently turns into another one.
std::optional<std::string> Stored(const char* text)
{
    gsize written = 0;
    gchar* converted = g_convert(text, -1, "WINDOWS-1252", "UTF-8", nullptr, &written, nullptr);
    if (converted == nullptr) return std::nullopt;
    std::string stored(converted, written);
    g_free(converted);
    return stored;
}

void ShowMessageBox(const std::string& text, const std::string& caption)
{
    GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, "%s",
                                            Shown(text).c_str());
    gtk_window_set_title(GTK_WINDOW(box), Shown(caption).c_str());
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

GtkWidget* Find(int id)
{
    auto found = dialog.controls.find(id);
    return found == dialog.controls.end() ? nullptr : found->second;
}

// A check box's text is the label inside it.
void SetText(int id, const std::string& text)
{
    GtkWidget* widget = Find(id);
    if (widget == nullptr) return;
    const std::string shown = Shown(text);
    if (GTK_IS_ENTRY(widget)) {
        gtk_entry_set_text(GTK_ENTRY(widget), shown.c_str());
        dialog.edited.erase(id);
    } else if (GTK_IS_LABEL(widget)) gtk_label_set_text(GTK_LABEL(widget), shown.c_str());
    else if (GTK_IS_BIN(widget) && GTK_IS_LABEL(gtk_bin_get_child(GTK_BIN(widget))))
        gtk_label_set_text(GTK_LABEL(gtk_bin_get_child(GTK_BIN(widget))), shown.c_str());
}

DialogControls BindControls()
{
    DialogControls controls;
    controls.setText = SetText;
    controls.getText = [](int id) -> std::optional<std::string> {
        GtkWidget* widget = Find(id);
        if (widget == nullptr || !GTK_IS_ENTRY(widget)) return std::string();
        return Stored(gtk_entry_get_text(GTK_ENTRY(widget)));
    };
    controls.changed = [](int id) { return dialog.edited.count(id) != 0; };
    controls.insertEntry = [](int id, int position, const std::string& text) {
        if (GtkWidget* widget = Find(id))
            gtk_combo_box_text_insert_text(GTK_COMBO_BOX_TEXT(widget), position, Shown(text).c_str());
    };
    controls.select = [](int id, int index) {
        if (GtkWidget* widget = Find(id)) gtk_combo_box_set_active(GTK_COMBO_BOX(widget), index);
    };
    controls.selection = [](int id) {
        GtkWidget* widget = Find(id);
        return widget ? gtk_combo_box_get_active(GTK_COMBO_BOX(widget)) : -1;
    };
    controls.setCheck = [](int id, bool checked) {
        if (GtkWidget* widget = Find(id)) gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), checked);
    };
    controls.isChecked = [](int id) {
        GtkWidget* widget = Find(id);
        return widget != nullptr && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
    };
    controls.showMessage = [](const std::string& text, const std::string& caption) {
        (SettingsMessage ? SettingsMessage : ShowMessageBox)(text, caption);
    };
    return controls;
}

GtkWidget* TextLabel(const Control& control)
{
    GtkWidget* label = gtk_label_new(control.text ? control.text : "");
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(label), 1); // wraps at the control's width
    gtk_label_set_xalign(GTK_LABEL(label), control.kind == Kind::RightText ? 1.0f : 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_justify(GTK_LABEL(label), control.kind == Kind::RightText ? GTK_JUSTIFY_RIGHT : GTK_JUSTIFY_LEFT);
    return label;
}

// The banner at its real size, from the picture beside the dictionaries; a
// missing picture leaves the corner empty.
GtkWidget* BannerImage(const std::string& folder)
{
    return gtk_image_new_from_file(JoinPath(folder, "banner.bmp").c_str());
}

void End(int result)
{
    dialog.result = result;
    gtk_widget_hide(dialog.window);
    if (dialog.loop) g_main_loop_quit(dialog.loop);
}

void OnOk(GtkButton*, gpointer)
{
    // A refused or failed save has told the user why; the dialog stays.
    if (dialog.settings->Save(BindControls()) == 0) End(1);
}

void OnEdited(GtkEditable*, gpointer id)
{
    dialog.edited.insert(GPOINTER_TO_INT(id));
}

void OnCancel(GtkButton*, gpointer)
{
    End(0);
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer)
{
    End(0);
    return TRUE;
}

gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer)
{
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    End(0);
    return TRUE;
}

GtkWidget* MakeControl(const Control& control, const std::string& dictionaryFolder)
{
    switch (control.kind) {
    case Kind::List:
        return gtk_combo_box_text_new();
    case Kind::Edit:
    case Kind::Secret: {
        GtkWidget* entry = gtk_entry_new();
        gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
        gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
        g_signal_connect(entry, "changed", G_CALLBACK(OnEdited), GINT_TO_POINTER(control.id));
        // Masked, so a typed password never shows on screen.
        if (control.kind == Kind::Secret) gtk_entry_set_visibility(GTK_ENTRY(entry), FALSE);
        return entry;
    }
    case Kind::Check: {
        // The text stands left of the box, as in the template.
        GtkWidget* check = gtk_check_button_new_with_label("");
        gtk_widget_set_direction(check, GTK_TEXT_DIR_RTL);
        GtkWidget* label = gtk_bin_get_child(GTK_BIN(check));
        gtk_widget_set_direction(label, GTK_TEXT_DIR_LTR);
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_widget_set_hexpand(label, TRUE);
        return check;
    }
    case Kind::Text:
    case Kind::RightText:
        return TextLabel(control);
    case Kind::Button: {
        GtkWidget* button = gtk_button_new_with_label(control.text);
        g_signal_connect(button, "clicked", G_CALLBACK(control.id == OkId ? OnOk : OnCancel), nullptr);
        return button;
    }
    case Kind::Banner:
        return BannerImage(dictionaryFolder);
    case Kind::Frame:
        return gtk_separator_new(GTK_ORIENTATION_HORIZONTAL);
    }
    return nullptr;
}

// The template's font size; the look is otherwise the desktop's.
void UseDialogFont(GtkWidget* window)
{
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, "* { font-size: 7.5pt; } entry, button, combobox button { min-height: 0; "
                                         "padding-top: 0; padding-bottom: 0; }", -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(window), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
}

} // namespace

int StartGtk()
{
    if (gtk_init_check(nullptr, nullptr)) return 0;
    std::fprintf(stderr, "zembria: the settings dialog needs a display; GTK could not open one "
                         "(is DISPLAY set?)\n");
    return 1;
}

GtkWidget* CreateSettingsWindow(SettingsDialog& settings, const std::string& optionsFolder,
                                const std::string& dictionaryFolder)
{
    dialog = {};
    dialog.settings = &settings;
    dialog.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(dialog.window);
    gtk_window_set_title(window, "");
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
    UseDialogFont(dialog.window);

    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, PixelsX(DialogWidth), PixelsY(DialogHeight));
    // The banner is wider than the dialog; the window cuts it off at the edge.
    GtkWidget* clip = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(clip), GTK_POLICY_EXTERNAL, GTK_POLICY_EXTERNAL);
    gtk_scrolled_window_set_min_content_width(GTK_SCROLLED_WINDOW(clip), PixelsX(DialogWidth));
    gtk_scrolled_window_set_min_content_height(GTK_SCROLLED_WINDOW(clip), PixelsY(DialogHeight));
    gtk_container_add(GTK_CONTAINER(clip), fixed);
    gtk_container_add(GTK_CONTAINER(dialog.window), clip);

    for (const Control& control : Controls) {
        GtkWidget* widget = MakeControl(control, dictionaryFolder);
        if (control.kind != Kind::Banner)
            gtk_widget_set_size_request(widget, PixelsX(control.width), PixelsY(control.height));
        gtk_widget_set_sensitive(widget, !control.disabled);
        gtk_fixed_put(GTK_FIXED(fixed), widget, PixelsX(control.x), PixelsY(control.y));
        dialog.controls[control.id] = widget;
    }
    GtkWidget* ok = Find(OkId);
    gtk_widget_set_can_default(ok, TRUE);
    gtk_window_set_default(window, ok);
    g_signal_connect(dialog.window, "delete-event", G_CALLBACK(OnDelete), nullptr);
    g_signal_connect(dialog.window, "key-press-event", G_CALLBACK(OnKey), nullptr);

    dialog.settings->window = dialog.window;
    dialog.settings->dictionaryDirectory = dictionaryFolder;
    dialog.settings->Open(optionsFolder, BindControls());
    return dialog.window;
}

GtkWidget* SettingsControl(int id)
{
    return Find(id);
}

int RunSettingsWindow(GtkWidget* window)
{
    gtk_widget_show_all(window);
    dialog.loop = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(dialog.loop);
    g_main_loop_unref(dialog.loop);
    dialog.loop = nullptr;
    gtk_widget_destroy(window);
    dialog.controls.clear();
    dialog.settings->window = nullptr;
    return dialog.result;
}
