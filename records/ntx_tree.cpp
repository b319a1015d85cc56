// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/ntx_tree.h"

#include <algorithm>
#include <cstring>

struct NtxTree::Page {
    std::vector<std::uint32_t> children; // page numbers; none in a leaf, else one more than items
    std::vector<std::uint32_t> recNos;
    std::string keys; // the items' keys, one after the other
    bool free = false;
    std::uint32_t nextFree = 0; // the offset of the page after it in the free list
};

// A page on the way down and the child taken there.
struct NtxTree::Step {
    std::uint32_t page;
    int child;
};

// A page holds its item count, one offset per item slot and the slots: one more
// slot than items, for the child right of the last key.
int NtxTree::maxItemsFor(int keyLength)
{
    if (keyLength < 1)
        return 0;
    const int slots = static_cast<int>(kPageSize - 2) / (2 + 8 + keyLength);
    return std::max(0, (slots - 1) / 2 * 2);
}

NtxTree::NtxTree(int keyLength) : keyLength_(keyLength), maxItems_(maxItemsFor(keyLength))
{
    build({});
}

NtxTree::~NtxTree() = default;

std::uint32_t NtxTree::pageCount() const
{
    return static_cast<std::uint32_t>(pages_.size());
}

int NtxTree::itemCount(std::uint32_t page) const
{
    return static_cast<int>(pages_[page].recNos.size());
}

bool NtxTree::isLeaf(std::uint32_t page) const
{
    return pages_[page].children.empty();
}

int NtxTree::compareItem(std::uint32_t page, int item, std::string_view key, std::uint32_t recNo) const
{
    const int byKey = std::memcmp(pages_[page].keys.data() + static_cast<std::size_t>(item) * keyLength_, key.data(),
                                  static_cast<std::size_t>(keyLength_));
    if (byKey != 0)
        return byKey;
    const std::uint32_t own = pages_[page].recNos[static_cast<std::size_t>(item)];
    return own < recNo ? -1 : own > recNo ? 1 : 0;
}

// The first item of the page that comes after (key, recNo).
int NtxTree::firstAfter(std::uint32_t page, std::string_view key, std::uint32_t recNo) const
{
    int low = 0;
    int high = itemCount(page);
    while (low < high) {
        const int middle = (low + high) / 2;
        if (compareItem(page, middle, key, recNo) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void NtxTree::touch(std::uint32_t page)
{
    if (isChanged_.size() < pages_.size())
        isChanged_.resize(pages_.size(), false);
    if (!isChanged_[page]) {
        isChanged_[page] = true;
        changed_.push_back(page);
    }
}

std::vector<std::uint32_t> NtxTree::takeChangedPages()
{
    std::vector<std::uint32_t> changed;
    changed.swap(changed_);
    for (const std::uint32_t page : changed)
        isChanged_[page] = false;
    std::sort(changed.begin(), changed.end());
    return changed;
}

std::uint32_t NtxTree::allocatePage()
{
    std::uint32_t page = 0;
    if (!free_.empty()) {
        page = free_.back();
        free_.pop_back();
        pages_[page] = Page{};
    } else {
        page = static_cast<std::uint32_t>(pages_.size());
        pages_.emplace_back();
    }
    touch(page);
    return page;
}

void NtxTree::freePage(std::uint32_t page)
{
    pages_[page] = Page{};
    pages_[page].free = true;
    pages_[page].nextFree = freeListOffset();
    free_.push_back(page);
    touch(page);
}

// Puts an item at `at`; in a branch page `rightChild` becomes the child after it.
void NtxTree::insertItem(std::uint32_t page, int at, std::string_view key, std::uint32_t recNo,
                         std::uint32_t rightChild)
{
    Page& target = pages_[page];
    target.recNos.insert(target.recNos.begin() + at, recNo);
    target.keys.insert(static_cast<std::size_t>(at) * keyLength_, key.data(), static_cast<std::size_t>(keyLength_));
    if (!target.children.empty())
        target.children.insert(target.children.begin() + at + 1, rightChild);
    touch(page);
}

// Takes an item out; in a branch page with the child after it or, when
// `withRightChild` is false, the one before it.
void NtxTree::removeItem(std::uint32_t page, int at, bool withRightChild)
{
    Page& target = pages_[page];
    target.recNos.erase(target.recNos.begin() + at);
    target.keys.erase(static_cast<std::size_t>(at) * keyLength_, static_cast<std::size_t>(keyLength_));
    if (!target.children.empty())
        target.children.erase(target.children.begin() + at + (withRightChild ? 1 : 0));
    touch(page);
}

// ---------------------------------------------------------------------------
// Adding and taking out.

void NtxTree::insert(std::string_view key, int recNo)
{
    if (key.size() != static_cast<std::size_t>(keyLength_) || recNo < 1)
        return;
    const auto number = static_cast<std::uint32_t>(recNo);
    std::vector<Step> path;
    std::uint32_t page = root_;
    while (!isLeaf(page)) {
        const int child = firstAfter(page, key, number);
        path.push_back({page, child});
        page = pages_[page].children[static_cast<std::size_t>(child)];
    }
    insertItem(page, firstAfter(page, key, number), key, number, 0);
    splitUpwards(page, path);
}

// A page with one item too many gives its upper half to a new page and its
// middle item to its parent, which may then have one too many in turn.
void NtxTree::splitUpwards(std::uint32_t page, std::vector<Step>& path)
{
    const auto length = static_cast<std::size_t>(keyLength_);
    while (itemCount(page) > maxItems_) {
        const std::uint32_t right = allocatePage();
        Page& lower = pages_[page];
        Page& upper = pages_[right];
        const auto middle = static_cast<std::size_t>(itemCount(page) / 2);
        const std::string middleKey = lower.keys.substr(middle * length, length);
        const std::uint32_t middleRecNo = lower.recNos[middle];
        upper.recNos.assign(lower.recNos.begin() + static_cast<std::ptrdiff_t>(middle) + 1, lower.recNos.end());
        upper.keys = lower.keys.substr((middle + 1) * length);
        lower.recNos.resize(middle);
        lower.keys.resize(middle * length);
        if (!lower.children.empty()) {
            upper.children.assign(lower.children.begin() + static_cast<std::ptrdiff_t>(middle) + 1, lower.children.end());
            lower.children.resize(middle + 1);
        }
        touch(page);
        if (path.empty()) {
            const std::uint32_t top = allocatePage();
            pages_[top].children = {page, right};
            pages_[top].recNos = {middleRecNo};
            pages_[top].keys = middleKey;
            root_ = top;
            return;
        }
        const Step parent = path.back();
        path.pop_back();
        insertItem(parent.page, parent.child, middleKey, middleRecNo, right);
        page = parent.page;
    }
}

void NtxTree::erase(std::string_view key, int recNo)
{
    if (key.size() != static_cast<std::size_t>(keyLength_) || recNo < 1)
        return;
    const auto number = static_cast<std::uint32_t>(recNo);
    std::vector<Step> path;
    std::uint32_t page = root_;
    int at = 0;
    while (true) {
        at = firstAfter(page, key, number) - 1;
        if (at >= 0 && compareItem(page, at, key, number) == 0)
            break;
        if (isLeaf(page))
            return;
        path.push_back({page, at + 1});
        page = pages_[page].children[static_cast<std::size_t>(at + 1)];
    }
    if (!isLeaf(page)) {
        // A branch item gives way to the greatest item below it, the last one of
        // the rightmost leaf left of it, which then leaves that leaf.
        path.push_back({page, at});
        std::uint32_t leaf = pages_[page].children[static_cast<std::size_t>(at)];
        while (!isLeaf(leaf)) {
            path.push_back({leaf, itemCount(leaf)});
            leaf = pages_[leaf].children.back();
        }
        const auto length = static_cast<std::size_t>(keyLength_);
        const auto last = static_cast<std::size_t>(itemCount(leaf) - 1);
        pages_[page].keys.replace(static_cast<std::size_t>(at) * length, length, pages_[leaf].keys, last * length, length);
        pages_[page].recNos[static_cast<std::size_t>(at)] = pages_[leaf].recNos[last];
        touch(page);
        page = leaf;
        at = static_cast<int>(last);
    }
    removeItem(page, at, false);
    joinUpwards(page, path);
}

// A page below half full borrows an item through its parent from a neighbour
// that can spare one, or else is joined with a neighbour and an item of the
// parent, which may then be below half full in turn. A root left without items
// gives way to its only child.
void NtxTree::joinUpwards(std::uint32_t page, std::vector<Step>& path)
{
    while (!path.empty() && itemCount(page) < halfPage()) {
        const Step parent = path.back();
        path.pop_back();
        if (borrowFromLeft(page, parent) || borrowFromRight(page, parent))
            break;
        joinWithNeighbour(parent);
        page = parent.page;
    }
    if (itemCount(root_) == 0 && !isLeaf(root_)) {
        const std::uint32_t old = root_;
        root_ = pages_[old].children.front();
        freePage(old);
    }
}

// The parent's item left of the page comes down to its front, and the left
// neighbour's last item goes up in its place, with its right child.
bool NtxTree::borrowFromLeft(std::uint32_t page, const Step& parent)
{
    const auto at = static_cast<std::size_t>(parent.child);
    Page& above = pages_[parent.page];
    if (at == 0 || itemCount(above.children[at - 1]) <= halfPage())
        return false;
    const auto length = static_cast<std::size_t>(keyLength_);
    const std::uint32_t left = above.children[at - 1];
    Page& giver = pages_[left];
    Page& taker = pages_[page];
    taker.recNos.insert(taker.recNos.begin(), above.recNos[at - 1]);
    taker.keys.insert(0, above.keys, (at - 1) * length, length);
    if (!taker.children.empty()) {
        taker.children.insert(taker.children.begin(), giver.children.back());
        giver.children.pop_back();
    }
    above.recNos[at - 1] = giver.recNos.back();
    above.keys.replace((at - 1) * length, length, giver.keys, giver.keys.size() - length, length);
    giver.recNos.pop_back();
    giver.keys.resize(giver.keys.size() - length);
    touch(left);
    touch(page);
    touch(parent.page);
    return true;
}

// The same the other way round: the right neighbour's first item goes up.
bool NtxTree::borrowFromRight(std::uint32_t page, const Step& parent)
{
    const auto at = static_cast<std::size_t>(parent.child);
    Page& above = pages_[parent.page];
    if (at >= above.recNos.size() || itemCount(above.children[at + 1]) <= halfPage())
        return false;
    const auto length = static_cast<std::size_t>(keyLength_);
    const std::uint32_t right = above.children[at + 1];
    Page& giver = pages_[right];
    Page& taker = pages_[page];
    taker.recNos.push_back(above.recNos[at]);
    taker.keys.append(above.keys, at * length, length);
    if (!taker.children.empty()) {
        taker.children.push_back(giver.children.front());
        giver.children.erase(giver.children.begin());
    }
    above.recNos[at] = giver.recNos.front();
    above.keys.replace(at * length, length, giver.keys, 0, length);
    giver.recNos.erase(giver.recNos.begin());
    giver.keys.erase(0, length);
    touch(right);
    touch(page);
    touch(parent.page);
    return true;
}

// The page and a neighbour become one, the parent's item between them in their
// middle; the right one of the two is freed. Both at most half full, they fit.
void NtxTree::joinWithNeighbour(const Step& parent)
{
    const auto length = static_cast<std::size_t>(keyLength_);
    const auto separator = static_cast<std::size_t>(parent.child > 0 ? parent.child - 1 : parent.child);
    const Page& above = pages_[parent.page];
    const std::uint32_t left = above.children[separator];
    const std::uint32_t right = above.children[separator + 1];
    Page& joined = pages_[left];
    const Page& gone = pages_[right];
    joined.recNos.push_back(above.recNos[separator]);
    joined.keys.append(above.keys, separator * length, length);
    joined.recNos.insert(joined.recNos.end(), gone.recNos.begin(), gone.recNos.end());
    joined.keys += gone.keys;
    joined.children.insert(joined.children.end(), gone.children.begin(), gone.children.end());
    touch(left);
    removeItem(parent.page, static_cast<int>(separator), true);
    freePage(right);
}

// ---------------------------------------------------------------------------
// Building and the pages as the file holds them.

// Fills the pages of a tree of `height` levels over `count` sorted entries,
// spreading them evenly so that every leaf lies at the same depth.
std::uint32_t NtxTree::buildSubtree(const IndexEntry* entries, std::size_t count, int height)
{
    const auto page = static_cast<std::uint32_t>(pages_.size());
    pages_.emplace_back();
    if (height == 1) {
        Page& leaf = pages_[page];
        leaf.recNos.reserve(count);
        leaf.keys.reserve(count * static_cast<std::size_t>(keyLength_));
        for (std::size_t i = 0; i < count; ++i) {
            leaf.recNos.push_back(static_cast<std::uint32_t>(entries[i].recNo));
            leaf.keys.append(entries[i].key);
        }
        return page;
    }
    // What a subtree one level lower holds at most.
    auto below = static_cast<std::uint64_t>(maxItems_);
    for (int level = 2; level < height; ++level)
        below = (below + 1) * static_cast<std::uint64_t>(maxItems_ + 1) - 1;
    const std::size_t children = std::max<std::size_t>(2, static_cast<std::size_t>((count + 1 + below) / (below + 1)));
    const std::size_t inChildren = count - (children - 1);
    std::size_t at = 0;
    for (std::size_t i = 0; i < children; ++i) {
        const std::size_t size = inChildren / children + (i < inChildren % children ? 1 : 0);
        const std::uint32_t child = buildSubtree(entries + at, size, height - 1);
        at += size;
        pages_[page].children.push_back(child);
        if (i + 1 < children) {
            pages_[page].recNos.push_back(static_cast<std::uint32_t>(entries[at].recNo));
            pages_[page].keys.append(entries[at].key);
            ++at;
        }
    }
    return page;
}

void NtxTree::build(const std::vector<IndexEntry>& sorted)
{
    pages_.clear();
    free_.clear();
    changed_.clear();
    isChanged_.clear();
    pages_.emplace_back(); // the header's place
    int height = 1;
    for (auto holds = static_cast<std::uint64_t>(maxItems_); holds < sorted.size(); ++height)
        holds = (holds + 1) * static_cast<std::uint64_t>(maxItems_ + 1) - 1;
    root_ = buildSubtree(sorted.data(), sorted.size(), height);
}

void NtxTree::pageImage(std::uint32_t number, char* out) const
{
    std::memset(out, 0, kPageSize);
    const Page& page = pages_[number];
    if (page.free) {
        putLong(out, page.nextFree);
        return;
    }
    const auto count = static_cast<int>(page.recNos.size());
    const std::size_t itemSize = static_cast<std::size_t>(keyLength_) + 8;
    const std::size_t first = 2 + 2 * static_cast<std::size_t>(maxItems_ + 1);
    putWord(out, static_cast<std::uint32_t>(count));
    for (int slot = 0; slot <= maxItems_; ++slot)
        putWord(out + 2 + 2 * slot, static_cast<std::uint32_t>(first + static_cast<std::size_t>(slot) * itemSize));
    for (int i = 0; i <= count; ++i) {
        char* item = out + first + static_cast<std::size_t>(i) * itemSize;
        putLong(item, page.children.empty() ? 0 : offsetOf(page.children[static_cast<std::size_t>(i)]));
        if (i == count)
            break;
        putLong(item + 4, page.recNos[static_cast<std::size_t>(i)]);
        std::memcpy(item + 8, page.keys.data() + static_cast<std::size_t>(i) * keyLength_,
                    static_cast<std::size_t>(keyLength_));
    }
}
