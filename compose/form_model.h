// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's search form without the widgets: the fields, the six lists, the engine
// and its kind list, the crawler menu marks and the precomputed fragments. The window
// binds its controls to this model and carries out the effects its operations return.

#include "compose/address.h"
#include "compose/browser_list.h"
#include "compose/field_rules.h"
#include "compose/search_snapshot.h"
#include "compose/window_heights.h"
#include "crawler/crawl_mode.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

class CrawlPort;

// The text field whose text the suggestion store receives at Go.
enum class OwnerField { None, Words, Exact, Exclude, Site };

// The four text fields.
enum class TextField { Words, Exact, Exclude, Site };

// The drop-down's owner that stands for a text field.
constexpr OwnerField ownerOf(TextField f) {
    return f == TextField::Words     ? OwnerField::Words
           : f == TextField::Exact   ? OwnerField::Exact
           : f == TextField::Exclude ? OwnerField::Exclude
                                     : OwnerField::Site;
}

// The six lists and their pin numbers (SavePin).
enum class ListField {
    Browser = 1,
    Interface = 2,
    Country = 3,
    Language = 4,
    FileType = 5,
    Period = 6
};

inline constexpr int kNoCrawlRequest = 99;

// What the window has to do after an engine button was pressed.
struct EngineSelection {
    bool popUpCrawlerMenu = false; // Links pressed with no crawl request: open the menu
    bool expand = false;           // Links pressed while collapsed
    bool hideProgressPanel = true; // NaloziKombo always hides it
    bool clearedLinkList = false;  // the crawler's LinkList was emptied
    int markerLeft = 0;            // the marker's x offset in the engine row
    bool focusSite = false;        // an extract mode gives edomain the focus
};

class FormModel {
public:
    // crawl may be null where no crawler exists (trovctl compose).
    explicit FormModel(CrawlPort* crawl = nullptr);

    // Text fields.
    const std::string& text(TextField f) const;
    // A text that differs from the field's makes that field the suggestion owner.
    void setText(TextField f, std::string text);
    OwnerField suggestionOwner() const { return owner_; }
    void setSuggestionOwner(OwnerField f) { owner_ = f; }
    // The owner field's text; empty when there is none.
    std::string ownerText() const;

    // Lists: the selected index, -1 for none. An index outside a list selects nothing.
    int selection(ListField list) const;
    void select(ListField list, int index);
    // The entry text of a list's selection, empty with none.
    std::string selectedText(ListField list) const;
    static int listSize(ListField list);

    // The browser box.
    void setBrowsers(std::vector<BrowserEntry> entries);
    // The browser box's entries and the index to select among them.
    struct BrowserBox {
        std::vector<BrowserEntry> entries;
        int selection = -1;
    };
    // Fills the browser box when it is first read instead of now: reading the desktop's
    // browsers is work a start that shows no list and opens no page need not wait for.
    // The selection goes through select(), so an index outside the list selects nothing.
    void setBrowserSource(std::function<BrowserBox()> source);
    bool browsersLoaded() const { return !browserSource_; }
    const std::vector<BrowserEntry>& browsers() const;
    // The command Go opens with; empty for the default handler.
    std::string browserCommand() const;
    // The command a private search opens with: the chosen browser's private window when
    // chosenBrowser and the entry opens with a command of its own, else the default
    // browser's; empty when that browser has no private window.
    std::string privateBrowserCommand(bool chosenBrowser) const;

    // The change rules of cb1, cb2, cb3 and cb5 for the current selections; select() runs
    // the one of its list, and start-up runs this after restoring the pins.
    void recomputeFragments();
    const SearchFragments& fragments() const { return fragments_; }

    // Engine row and kind box.
    SearchEngine engine() const { return engine_; }
    // An engine button press: NaloziKombo, BarvaOkvirja and the Links extras.
    EngineSelection selectEngine(SearchEngine engine);
    // NaloziKombo alone; true when the LinkList was emptied.
    bool NaloziKombo(SearchEngine engine);
    // While on, engine selections are a settings file's, not a button's: each empties the
    // LinkList, the Links one included, unless "Crawl from list of links" is ticked.
    void setSelectingFromFile(bool on) { selectingFromFile_ = on; }
    std::span<const std::string_view> kinds() const;
    int kindIndex() const { return kindIndex_; }
    std::string kindText() const;
    void setKindIndex(int index); // also re-runs the colouring
    bool kindBoxEnabled() const { return engine_ != SearchEngine::Links; }
    std::uint32_t kindBoxColour() const { return kindBoxEnabled() ? kFieldWhite : kFieldGrey; }

    // Field colouring for the current engine, kind and crawl marks.
    const FieldColours& colours() const { return colours_; }
    const FieldColours& BarvaOkvirja();

    // Window state the form depends on.
    bool expanded() const { return expanded_; }
    void setExpanded(bool on) { expanded_ = on; }
    bool historyEnabled() const { return historyEnabled_; }
    void setHistoryEnabled(bool on) { historyEnabled_ = on; }
    // "Keep search history" (YY.cfg): off, Go records no search and learns no suggestion;
    // what the stores hold stays.
    bool keepHistory() const { return keepHistory_; }
    void setKeepHistory(bool on) { keepHistory_ = on; }
    // "Private search", never stored: Go records nothing, learns nothing and opens the
    // address only in a private window; the drop-down shows nothing from the store.
    bool privateMode() const { return privateMode_; }
    void setPrivateMode(bool on) { privateMode_ = on; }

    // The crawler menu and the crawl state the form shows.
    const CrawlMarks& crawlMarks() const { return marks_; }
    void setCrawlMark(CrawlMode mode, bool on); // also re-runs the colouring
    // The mode handler run for a history record or a settings file: only the extract mode
    // the crawl request mode names (1 all links, 2 internal links) stays ticked.
    void tickRequestedExtractMode();
    // 99 none, 1 extract all links, 2 extract internal links; read by the Links button.
    int crawlRequestMode() const { return crawlRequestMode_; }
    void setCrawlRequestMode(int mode) { crawlRequestMode_ = mode; }
    bool siteReadOnly() const { return siteReadOnly_; }
    void setSiteReadOnly(bool on) { siteReadOnly_ = on; }
    const std::string& crawlListFile() const { return crawlListFile_; }
    void setCrawlListFile(std::string path) { crawlListFile_ = std::move(path); }

    // The request Go composes from, and the record the history keeps.
    SearchRequest request() const;
    SearchSnapshot snapshot() const;

private:
    CrawlPort* crawl_;
    std::string words_, exact_, exclude_, site_;
    OwnerField owner_ = OwnerField::None;
    // Filled from browserSource_ on first read.
    void loadBrowsers() const;
    mutable std::function<BrowserBox()> browserSource_;
    mutable int browser_ = -1;
    int interface_ = 0, country_ = 0, language_ = 0, fileType_ = 0, period_ = 0;
    mutable std::vector<BrowserEntry> browsers_;
    SearchFragments fragments_;
    SearchEngine engine_ = SearchEngine::Google;
    int kindIndex_ = 0;
    FieldColours colours_;
    bool expanded_ = false;
    bool historyEnabled_ = true;
    bool keepHistory_ = true;
    bool privateMode_ = false;
    CrawlMarks marks_;
    int crawlRequestMode_ = kNoCrawlRequest;
    bool selectingFromFile_ = false;
    bool siteReadOnly_ = false;
    std::string crawlListFile_;
};

} // namespace trov
