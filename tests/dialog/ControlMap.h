#pragma once
// The settings dialog's controls as a plain map of values, for the tests of
// its open and save logic. Every call is also logged in order, so a test can
// see what happened before what.
//
// The map's controls show Windows-1252; the five bytes it leaves undefined
// stand for every character it lacks. Filled in, they show as "?"; typed
// (put into texts by a test), they make the text unconvertible.

#include "settings/SettingsDialog.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ControlMap {
    static constexpr char Foreign[] = "\x81\x8d\x8f\x90\x9d";

    std::map<int, std::string> texts;
    std::map<int, std::string> filled; // as setText left them, to tell what the user changed
    std::map<int, std::vector<std::string>> entries;
    std::map<int, int> selections;
    std::map<int, bool> checks;
    std::vector<std::string> messages; // "caption: text"
    std::vector<std::string> log;      // "message", "text 1008", "entry 1010", ...

    DialogControls Bind()
    {
        DialogControls controls;
        controls.setText = [this](int id, const std::string& text) {
            std::string shown = text;
            for (char& c : shown)
                if (std::string_view(Foreign).find(c) != std::string_view::npos) c = '?';
            texts[id] = filled[id] = shown;
            Log("text", id);
        };
        controls.getText = [this](int id) -> std::optional<std::string> {
            if (texts[id].find_first_of(Foreign) != std::string::npos) return std::nullopt;
            return texts[id];
        };
        controls.changed = [this](int id) { return texts[id] != filled[id]; };
        controls.insertEntry = [this](int id, int position, const std::string& text) {
            auto& list = entries[id];
            list.insert(list.begin() + position, text);
            Log("entry", id);
        };
        controls.select = [this](int id, int index) {
            selections[id] = index;
            Log("select", id);
        };
        controls.selection = [this](int id) { return selections.count(id) ? selections[id] : -1; };
        controls.setCheck = [this](int id, bool checked) {
            checks[id] = checked;
            Log("check", id);
        };
        controls.isChecked = [this](int id) { return checks[id]; };
        controls.showMessage = [this](const std::string& text, const std::string& caption) {
            messages.push_back(caption + ": " + text);
            log.push_back("message");
        };
        return controls;
    }

private:
    void Log(const char* what, int id) { log.push_back(std::string(what) + " " + std::to_string(id)); }
};
