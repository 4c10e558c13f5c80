// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_record.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace trov {

namespace {

constexpr std::size_t kLengthByteLimit = 255;

char lengthByte(std::size_t length) {
    return static_cast<char>(static_cast<unsigned char>(length & 0xFF));
}

} // namespace

HistoryRecord::HistoryRecord() {
    // Every empty row shares one buffer of 14 empty texts.
    static const auto empty = std::make_shared<const std::string>(kHistoryColumnCount, '\0');
    buffer_ = empty;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
        ends_[i] = static_cast<std::uint32_t>(i + 1);
}

std::optional<HistoryRecord> HistoryRecord::fromStored(std::shared_ptr<const std::string> bytes,
                                                       std::size_t offset) {
    const std::string_view rest = std::string_view(*bytes).substr(std::min(offset, bytes->size()));
    if (offset > UINT32_MAX || rest.size() > UINT32_MAX)
        return std::nullopt;
    std::optional<HistoryRecord> r(std::in_place);
    std::size_t end = 0;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i) {
        if (end >= rest.size())
            return std::nullopt;
        end += 1 + static_cast<unsigned char>(rest[end]);
        r->ends_[i] = static_cast<std::uint32_t>(end);
    }
    if (end > rest.size())
        return std::nullopt;
    r->buffer_ = std::move(bytes);
    r->start_ = static_cast<std::uint32_t>(offset);
    return r;
}

void HistoryRecord::set(std::size_t i, std::string_view text) {
    Texts t = texts();
    t[i] = text;
    assign(t); // copies from the old buffer before letting it go
}

void HistoryRecord::assign(const Texts& texts) {
    std::size_t total = kHistoryColumnCount;
    for (std::string_view t : texts)
        total += t.size();
    auto bytes = std::make_shared<std::string>(total, '\0');
    fitsStore_ = true;
    std::size_t end = 0;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i) {
        (*bytes)[end++] = lengthByte(texts[i].size());
        if (!texts[i].empty())
            std::memcpy(bytes->data() + end, texts[i].data(), texts[i].size());
        end += texts[i].size();
        ends_[i] = static_cast<std::uint32_t>(end);
        fitsStore_ = fitsStore_ && texts[i].size() <= kLengthByteLimit;
    }
    buffer_ = std::move(bytes);
    start_ = 0;
}

HistoryRecord::Texts HistoryRecord::texts() const {
    Texts t;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
        t[i] = (*this)[i];
    return t;
}

std::vector<HistoryColumn> defaultHistoryColumns() {
    std::vector<HistoryColumn> columns;
    columns.reserve(kHistoryColumns.size());
    for (const auto& c : kHistoryColumns)
        columns.push_back({std::string(c.caption), c.width});
    return columns;
}

} // namespace trov
