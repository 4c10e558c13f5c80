// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/form_model.h"

#include "compose/code_tables.h"
#include "compose/engines.h"
#include "compose/go_ports.h"

namespace trov {

FormModel::FormModel(CrawlPort* crawl) : crawl_(crawl) {
    recomputeFragments();
    BarvaOkvirja();
}

const std::string& FormModel::text(TextField f) const {
    switch (f) {
    case TextField::Words:
        return words_;
    case TextField::Exact:
        return exact_;
    case TextField::Exclude:
        return exclude_;
    case TextField::Site:
        break;
    }
    return site_;
}

void FormModel::setText(TextField f, std::string value) {
    std::string& field = f == TextField::Words     ? words_
                         : f == TextField::Exact   ? exact_
                         : f == TextField::Exclude ? exclude_
                                                   : site_;
    if (field == value)
        return;
    field = std::move(value);
    // Typed or set by a command, a changed field is the one the drop-down serves and
    // whose text the next search adds to the suggestions.
    owner_ = ownerOf(f);
}

std::string FormModel::ownerText() const {
    switch (owner_) {
    case OwnerField::None:
        return {};
    case OwnerField::Words:
        return words_;
    case OwnerField::Exact:
        return exact_;
    case OwnerField::Exclude:
        return exclude_;
    case OwnerField::Site:
        return site_;
    }
    return {};
}

int FormModel::listSize(ListField list) {
    switch (list) {
    case ListField::Interface:
        return static_cast<int>(kInterfaceLanguages.size());
    case ListField::Country:
        return static_cast<int>(kCountries.size());
    case ListField::Language:
        return static_cast<int>(kResultLanguages.size());
    case ListField::FileType:
        return static_cast<int>(kFileTypes.size());
    case ListField::Period:
        return static_cast<int>(kPeriods.size());
    case ListField::Browser:
        break;
    }
    return -1; // the browser list has no fixed size
}

int FormModel::selection(ListField list) const {
    switch (list) {
    case ListField::Browser:
        loadBrowsers();
        return browser_;
    case ListField::Interface:
        return interface_;
    case ListField::Country:
        return country_;
    case ListField::Language:
        return language_;
    case ListField::FileType:
        return fileType_;
    case ListField::Period:
        return period_;
    }
    return -1;
}

void FormModel::select(ListField list, int index) {
    if (list == ListField::Browser)
        loadBrowsers();
    const int size =
        list == ListField::Browser ? static_cast<int>(browsers_.size()) : listSize(list);
    if (index < 0 || index >= size)
        index = -1; // a stored index outside the list leaves it without a selection
    switch (list) {
    case ListField::Browser:
        browser_ = index;
        return;
    case ListField::Interface:
        interface_ = index;
        cb1Change(fragments_, index);
        return;
    case ListField::Country:
        country_ = index;
        cb3Change(fragments_, index);
        return;
    case ListField::Language:
        language_ = index;
        cb2Change(fragments_, index);
        return;
    case ListField::FileType:
        fileType_ = index;
        cb5Change(fragments_, index);
        return;
    case ListField::Period:
        period_ = index; // the period has no precomputed fragment
        return;
    }
}

std::string FormModel::selectedText(ListField list) const {
    const int i = selection(list);
    switch (list) {
    case ListField::Browser:
        return i < 0 ? std::string() : browsers_[static_cast<std::size_t>(i)].text;
    case ListField::Interface:
        return std::string(entryLabel(kInterfaceLanguages, i));
    case ListField::Country:
        return std::string(entryLabel(kCountries, i));
    case ListField::Language:
        return std::string(entryLabel(kResultLanguages, i));
    case ListField::FileType:
        return std::string(entryLabel(kFileTypes, i));
    case ListField::Period:
        return std::string(entryLabel(kPeriods, i));
    }
    return {};
}

void FormModel::setBrowsers(std::vector<BrowserEntry> entries) {
    browserSource_ = nullptr;
    browsers_ = std::move(entries);
    browser_ = browsers_.empty() ? -1 : 0;
}

void FormModel::setBrowserSource(std::function<BrowserBox()> source) {
    browserSource_ = std::move(source);
}

void FormModel::loadBrowsers() const {
    if (!browserSource_)
        return;
    // Taken first: the source runs once, even when it throws.
    const std::function<BrowserBox()> source = std::move(browserSource_);
    browserSource_ = nullptr;
    BrowserBox box = source();
    browsers_ = std::move(box.entries);
    const int size = static_cast<int>(browsers_.size());
    browser_ = box.selection >= 0 && box.selection < size ? box.selection : -1;
}

const std::vector<BrowserEntry>& FormModel::browsers() const {
    loadBrowsers();
    return browsers_;
}

std::string FormModel::browserCommand() const {
    loadBrowsers();
    return BrowserExecutable(browsers_, browser_);
}

std::string FormModel::privateBrowserCommand(bool chosenBrowser) const {
    loadBrowsers();
    return trov::privateBrowserCommand(browsers_, browser_, chosenBrowser);
}

void FormModel::recomputeFragments() {
    cb1Change(fragments_, interface_);
    cb3Change(fragments_, country_);
    cb2Change(fragments_, language_);
    cb5Change(fragments_, fileType_);
}

bool FormModel::NaloziKombo(SearchEngine engine) {
    const bool links = engine == SearchEngine::Links;
    const bool listLoaded = marks_[CrawlMode::CrawlCSV];
    siteReadOnly_ = false;
    marks_.set(CrawlMode::StartFastCrawl, false);
    marks_.set(CrawlMode::StartSlowCrawl, false);
    marks_.set(CrawlMode::CrawlCSV, false);
    if (!links) {
        marks_.set(CrawlMode::AllLinks, false);
        marks_.set(CrawlMode::interLinks, false);
    }
    engine_ = engine;
    kindIndex_ = 0;
    // Results of a crawl do not survive a change of engine; a loaded list survives a
    // settings file.
    if ((selectingFromFile_ ? !listLoaded : !links) && crawl_) {
        crawl_->clearLinkList();
        return true;
    }
    return false;
}

EngineSelection FormModel::selectEngine(SearchEngine engine) {
    EngineSelection s;
    const bool links = engine == SearchEngine::Links;
    s.popUpCrawlerMenu = links && crawlRequestMode_ > 5;
    s.markerLeft = engineInfo(engine).buttonLeft;
    s.clearedLinkList = NaloziKombo(engine);
    BarvaOkvirja();
    if (links) {
        s.expand = !expanded_;
        if (crawlRequestMode_ == 1 || crawlRequestMode_ == 2) {
            marks_.set(crawlRequestMode_ == 1 ? CrawlMode::AllLinks : CrawlMode::interLinks, true);
            BarvaOkvirja(); // the restored mode greys the fields it ignores
        }
    }
    s.focusSite = colours_.focusSite;
    return s;
}

std::span<const std::string_view> FormModel::kinds() const {
    return engineInfo(engine_).kinds;
}

std::string FormModel::kindText() const {
    return std::string(entryLabel(kinds(), kindIndex_));
}

void FormModel::setKindIndex(int index) {
    const int size = static_cast<int>(kinds().size());
    kindIndex_ = (index < 0 || index >= size) ? -1 : index;
    BarvaOkvirja();
}

const FieldColours& FormModel::BarvaOkvirja() {
    colours_ = trov::BarvaOkvirja(engine_, kindText(), marks_);
    return colours_;
}

void FormModel::setCrawlMark(CrawlMode mode, bool on) {
    marks_.set(mode, on);
    BarvaOkvirja();
}

void FormModel::tickRequestedExtractMode() {
    for (CrawlMode mode : kCrawlModes)
        setCrawlMark(mode, false);
    if (crawlRequestMode_ == 1)
        setCrawlMark(CrawlMode::AllLinks, true);
    else if (crawlRequestMode_ == 2)
        setCrawlMark(CrawlMode::interLinks, true);
}

SearchRequest FormModel::request() const {
    SearchRequest r;
    r.engine = engine_;
    r.words = words_;
    r.exactPhrase = exact_;
    r.excludedWords = exclude_;
    r.site = site_;
    r.kindIndex = kindIndex_;
    r.periodIndex = period_;
    r.expanded = expanded_;
    r.fragments = fragments_;
    return r;
}

SearchSnapshot FormModel::snapshot() const {
    SearchSnapshot s;
    s.engine = engine_;
    s.words = words_;
    s.exactPhrase = exact_;
    s.excludedWords = exclude_;
    s.site = site_;
    s.fileType = selectedText(ListField::FileType);
    s.browser = selectedText(ListField::Browser);
    s.interfaceLanguage = selectedText(ListField::Interface);
    s.country = selectedText(ListField::Country);
    s.language = selectedText(ListField::Language);
    s.period = selectedText(ListField::Period);
    s.kind = kindText();
    s.expanded = expanded_;
    s.crawlMarks = marks_;
    s.crawlListFile = crawlListFile_;
    return s;
}

} // namespace trov
