#pragma once
// The settings dialog's open and save logic, on control ids. The dialog
// procedure of each platform binds DialogControls to its real controls; the
// tests bind them to a plain map. One instance, owned by the saver's context,
// lives for the whole process.

#include "platform/Platform.h"
#include "settings/KeyValueStore.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

// The dialog's controls as the logic sees them, with texts in the options
// file's code page (Windows-1252); each platform only converts. A list
// selection of -1 means no entry is selected.
struct DialogControls {
    // A text the control can't show exactly is shown as near as it can.
    std::function<void(int id, const std::string& text)> setText;
    // Nothing when the text holds a character the code page lacks.
    std::function<std::optional<std::string>(int id)> getText;
    // Whether the user changed the text since setText put it there.
    std::function<bool(int id)> changed;
    std::function<void(int id, int position, const std::string& text)> insertEntry;
    std::function<void(int id, int index)> select;
    std::function<int(int id)> selection;
    std::function<void(int id, bool checked)> setCheck;
    std::function<bool(int id)> isChecked;
    // An error message without owner window, with the exclamation icon.
    std::function<void(const std::string& text, const std::string& caption)> showMessage;
};

class SettingsDialog {
public:
    // Reloads the options and the dictionary from the module directory and
    // fills every control. Missing files are reported, then the defaults
    // show. Returns 0 when both files were read, 1 otherwise.
    int Open(const std::string& directory, const DialogControls& controls);

    // Reads the controls back into the options and writes the options file
    // of the directory given to Open. Returns 0 when it was written (the
    // dialog may end), 1 when a message told the user why not (it stays open).
    int Save(const DialogControls& controls);

    WindowHandle window = nullptr;    // the open dialog's window handle
    std::string moduleDirectory;      // where Open found the files
    std::string dictionaryDirectory;  // where the dictionaries lie, when not there
    std::string versionText = ZEMBRIA_VERSION; // the module's version string
    KeyValueStore options;
    KeyValueStore dictionary;
    std::string memberCodeAtOpening;
    std::map<int, std::string> filledTexts; // what Open put in each edit field

private:
    void FillTexts(const DialogControls& controls) const;
    void FillValues(const DialogControls& controls);
    void FillField(const DialogControls& controls, int id, const std::string& text);
    int ReadFields(const DialogControls& controls, std::map<int, std::string>& texts) const;
};
