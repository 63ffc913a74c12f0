#include "PlyList.h"

#include <algorithm>

#include "PlyRecord.h"

namespace {

// What every write to a ply leaves behind: StorePly sets the squares and the
// line, the reader and the note box set notes, glyphs and dates.
bool LooksUnwritten(const PlyRecord& ply) {
    return ply.fromFile == -1 && ply.text[0] == '\0' && ply.note.empty() && ply.hasNote == 0 &&
           ply.nags.empty() && ply.date[0] == '\0' && ply.variations.empty();
}

}  // namespace

const PlyList::Shared& PlyList::UnwrittenShared() {
    static const Shared fresh = std::make_shared<const PlyRecord>();
    return fresh;
}

const PlyRecord& PlyList::Unwritten() {
    return *UnwrittenShared();
}

PlyList::PlyList(std::initializer_list<PlyRecord> plies) {
    for (const PlyRecord& ply : plies) push_back(ply);
}

PlyList::PlyList(std::size_t count, const PlyRecord& ply) {
    if (count == 0) return;
    // One record for all: each is copied when first written.
    m_plies = std::make_shared<std::vector<Shared>>(count, std::make_shared<const PlyRecord>(ply));
}

PlyList::PlyList(std::vector<PlyRecord>&& plies) {
    for (PlyRecord& ply : plies) push_back(std::move(ply));
}

PlyList& PlyList::operator=(const PlyList& other) {
    if (this == &other) return *this;
    // Shared whole when the other holds nothing beyond what it wrote, which
    // is how a game read, published or kept open stands.
    const int written = other.Written();
    if (!other.m_plies || written == other.Held())
        m_plies = other.m_plies;
    else
        m_plies = std::make_shared<std::vector<Shared>>(other.m_plies->begin(),
                                                        other.m_plies->begin() + written);
    return *this;
}

void PlyList::OwnList() {
    if (!m_plies)
        m_plies = std::make_shared<std::vector<Shared>>();
    else if (m_plies.use_count() > 1)
        m_plies = std::make_shared<std::vector<Shared>>(*m_plies);
}

PlyRecord& PlyList::MakeOwn(int i) {
    OwnList();
    std::vector<Shared>& plies = *m_plies;
    const auto index = static_cast<std::size_t>(i);
    if (index >= plies.size()) {
        // Plies skipped share the unwritten record; the one written is new.
        plies.resize(index, UnwrittenShared());
        plies.push_back(std::make_shared<PlyRecord>());
    }
    Shared& ply = plies[index];
    // Shared with another list, a snapshot or the unwritten record: this
    // list's own copy from now on.
    if (ply.use_count() > 1) ply = std::make_shared<const PlyRecord>(*ply);
    // Made here, never const: the const of Shared only keeps others from writing.
    return const_cast<PlyRecord&>(*ply);
}

void PlyList::push_back(const PlyRecord& ply) {
    PushShared(std::make_shared<const PlyRecord>(ply));
}

void PlyList::push_back(PlyRecord&& ply) {
    PushShared(std::make_shared<const PlyRecord>(std::move(ply)));
}

void PlyList::PushShared(Shared ply) {
    OwnList();
    m_plies->push_back(std::move(ply));
}

void PlyList::Put(int i, Shared ply) {
    OwnList();
    const auto index = static_cast<std::size_t>(i);
    if (index >= m_plies->size()) m_plies->resize(index + 1, UnwrittenShared());
    (*m_plies)[index] = std::move(ply);
}

PlyList PlyList::Slice(int first, int last) const {
    PlyList slice;
    first = std::max(first, 0);
    last = std::min(last, Held());
    if (first < last)
        slice.m_plies = std::make_shared<std::vector<Shared>>(m_plies->begin() + first,
                                                              m_plies->begin() + last);
    return slice;
}

void PlyList::Truncate(int count) {
    if (count >= Held()) return;
    if (count <= 0) {
        clear();
        return;
    }
    OwnList();
    m_plies->resize(static_cast<std::size_t>(count));
}

void PlyList::EraseAt(int i) {
    if (i < 0 || i >= Held()) return;
    OwnList();
    m_plies->erase(m_plies->begin() + i);
    if (m_plies->empty()) clear();
}

bool PlyList::operator==(const PlyList& other) const {
    if (m_plies == other.m_plies) return true;
    if (Held() != other.Held()) return false;
    for (int i = 0; i < Held(); ++i)
        if (Share(i) != other.Share(i) && (*this)[i] != other[i]) return false;
    return true;
}

int PlyList::Written() const {
    int written = Held();
    while (written > 0 && LooksUnwritten((*this)[written - 1])) --written;
    return written;
}

bool PlyList::RestUnwritten() const {
    for (int i = Written(); i < Held(); ++i)
        if ((*this)[i] != Unwritten()) return false;
    return true;
}

void PlyList::ShrinkToWritten() {
    const int written = Written();
    if (!m_plies || m_plies->capacity() == static_cast<std::size_t>(written)) return;
    Truncate(written);
    if (m_plies) {
        OwnList();
        m_plies->shrink_to_fit();
    }
}

void VariationList::Own() {
    if (!m_list)
        m_list = std::make_shared<std::vector<Variation>>();
    else if (m_list.use_count() > 1)
        m_list = std::make_shared<std::vector<Variation>>(*m_list);
}

void VariationList::push_back(Variation variation) {
    Own();
    m_list->push_back(std::move(variation));
}

void VariationList::EraseAt(std::size_t i) {
    if (i >= size()) return;
    Own();
    m_list->erase(m_list->begin() + static_cast<std::ptrdiff_t>(i));
    if (m_list->empty()) clear();
}

bool VariationList::operator==(const VariationList& other) const {
    if (m_list == other.m_list) return true;
    if (size() != other.size()) return false;
    for (std::size_t i = 0; i < size(); ++i)
        if ((*this)[i] != other[i]) return false;
    return true;
}
