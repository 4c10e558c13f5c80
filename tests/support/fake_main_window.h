// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A main window without widgets over a real FormModel: engine presses run the model's
// selection and the calls are recorded in order.

#include "compose/form_model.h"
#include "window_models/main_commands.h"

#include <string>
#include <vector>

namespace trov::test {

inline constexpr TextField kTextFields[] = {TextField::Words, TextField::Exact, TextField::Exclude,
                                            TextField::Site};
inline constexpr ListField kListFields[] = { // in pin order
    ListField::Browser,  ListField::Interface, ListField::Country,
    ListField::Language, ListField::FileType,  ListField::Period};

struct FakeMainWindow : MainWindowCommands {
    explicit FakeMainWindow(CrawlPort* crawl = nullptr) : model(crawl) {}

    FormModel model;
    bool expanded = false;
    int background = 14801352;
    std::vector<std::string> calls;
    std::vector<EngineSelection> selections;
    bool shown = false;
    int suggestionsHidden = 0;

    FormModel& form() override { return model; }
    void syncFromModel() override { calls.push_back("sync"); }
    void pressEngine(SearchEngine engine) override {
        calls.push_back(press(engine));
        selections.push_back(model.selectEngine(engine));
        if (selections.back().expand && !expanded)
            toggleExpanded();
    }
    bool isExpanded() const override { return expanded; }
    void toggleExpanded() override {
        calls.push_back(expanded ? "collapse" : "expand");
        expanded = !expanded;
        model.setExpanded(expanded);
    }
    void go() override { calls.push_back("go"); }
    void loadCrawlList(const std::string& path) override {
        calls.push_back("load " + path);
        model.setCrawlListFile(path);
        model.setCrawlMark(CrawlMode::CrawlCSV, true);
        model.setSiteReadOnly(true);
    }
    bool isShown() const override { return shown; }
    void hideSuggestions() override { ++suggestionsHidden; }
    int backgroundColour() const override { return background; }
    void applyBackground(int colour) override {
        calls.push_back("colour " + std::to_string(colour));
        background = colour;
    }

    // The four texts and the six lists' selections, in pin order, read or set as one row.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (TextField f : kTextFields)
            out.push_back(model.text(f));
        return out;
    }
    void setTexts(const std::string& text) {
        for (TextField f : kTextFields)
            model.setText(f, text);
    }
    std::vector<int> lists() const {
        std::vector<int> out;
        for (ListField l : kListFields)
            out.push_back(model.selection(l));
        return out;
    }
    void setLists(const std::vector<int>& indexes) {
        for (std::size_t i = 0; i < indexes.size(); ++i)
            model.select(kListFields[i], indexes[i]);
    }

    static std::string press(SearchEngine e) {
        return "press " + std::to_string(static_cast<int>(e));
    }
};

} // namespace trov::test
