// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// The B-tree of an NTX index file, kept in memory page by page as the file holds
// it. Only NtxIndex uses it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One key of an index with the record it belongs to; an index orders its entries
// by key, then record number.
struct IndexEntry {
    std::string key;
    int recNo = 0;

    static bool before(const IndexEntry& a, const IndexEntry& b)
    {
        const int byKey = a.key.compare(b.key);
        return byKey < 0 || (byKey == 0 && a.recNo < b.recNo);
    }
};

// Pages of 1024 bytes, numbered by their place in the file (page 0 is the file's
// header, which the tree leaves to its owner). Every page but the root holds
// between half and all of maxItems() items, each a key with its record number; a
// branch page also holds a child page before each item and one after the last.
// Every leaf lies at the same depth. Pages freed by joins are kept in a free list
// for later splits, as the file format has it.
class NtxTree {
public:
    static constexpr std::size_t kPageSize = 1024;

    explicit NtxTree(int keyLength);
    ~NtxTree();
    NtxTree(const NtxTree&) = delete;
    NtxTree& operator=(const NtxTree&) = delete;

    // The most items a page takes: even, so that half a page is whole items, and
    // 0 when not even two keys of this length fit.
    static int maxItemsFor(int keyLength);
    int maxItems() const { return maxItems_; }
    int halfPage() const { return maxItems_ / 2; }

    // A tree over entries sorted by IndexEntry::before, filled evenly.
    void build(const std::vector<IndexEntry>& sorted);
    // Keys must have the tree's key length; an entry that is not there is not
    // taken out.
    void insert(std::string_view key, int recNo);
    void erase(std::string_view key, int recNo);

    std::uint32_t pageCount() const;
    std::uint32_t rootOffset() const { return offsetOf(root_); }
    std::uint32_t freeListOffset() const { return free_.empty() ? 0 : offsetOf(free_.back()); }
    // A page (1 and up) as the file holds it.
    void pageImage(std::uint32_t page, char* out) const;
    // The pages changed since the last call, in file order.
    std::vector<std::uint32_t> takeChangedPages();

    static std::uint32_t offsetOf(std::uint32_t page) { return page * static_cast<std::uint32_t>(kPageSize); }
    // The file's numbers, little-endian: a word of 16 bits, a long of 32.
    static void putWord(char* at, std::uint32_t value)
    {
        at[0] = static_cast<char>(value & 0xFF);
        at[1] = static_cast<char>(value >> 8 & 0xFF);
    }
    static void putLong(char* at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            at[i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }

private:
    struct Page;
    struct Step;

    std::uint32_t allocatePage();
    void freePage(std::uint32_t page);
    void touch(std::uint32_t page);
    int itemCount(std::uint32_t page) const;
    bool isLeaf(std::uint32_t page) const;
    int compareItem(std::uint32_t page, int item, std::string_view key, std::uint32_t recNo) const;
    int firstAfter(std::uint32_t page, std::string_view key, std::uint32_t recNo) const;
    void insertItem(std::uint32_t page, int at, std::string_view key, std::uint32_t recNo, std::uint32_t rightChild);
    void removeItem(std::uint32_t page, int at, bool withRightChild);
    void splitUpwards(std::uint32_t page, std::vector<Step>& path);
    void joinUpwards(std::uint32_t page, std::vector<Step>& path);
    bool borrowFromLeft(std::uint32_t page, const Step& parent);
    bool borrowFromRight(std::uint32_t page, const Step& parent);
    void joinWithNeighbour(const Step& parent);
    std::uint32_t buildSubtree(const IndexEntry* entries, std::size_t count, int height);

    int keyLength_;
    int maxItems_;
    std::vector<Page> pages_; // by page number; page 0 stands for the header
    std::uint32_t root_ = 0;
    std::vector<std::uint32_t> free_; // free pages, the head of the file's free list last
    std::vector<std::uint32_t> changed_;
    std::vector<bool> isChanged_;
};
