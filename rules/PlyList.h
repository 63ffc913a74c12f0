#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

struct PlyRecord;
struct Variation;

// The plies of one line, the game's own or a variation's. A copy shares the
// list and every record in it; writing to a ply copies the list of pointers
// and that one record, never the others. So a game's window, its document and
// every Undo step hold one record for each ply none of them changed, at every
// depth of the game's tree, and an edit costs what it changed.
//
// Reading a ply beyond those held gives an unwritten one; writing one makes
// room up to it. A reference taken from a non-const list must not be used
// after the list is copied or written again.
class PlyList {
public:
    using Shared = std::shared_ptr<const PlyRecord>;

    PlyList() = default;
    PlyList(std::initializer_list<PlyRecord> plies);
    PlyList(std::size_t count, const PlyRecord& ply);
    explicit PlyList(std::vector<PlyRecord>&& plies);
    // Shares the plies held, up to the last one written to.
    PlyList(const PlyList& other) { *this = other; }
    PlyList(PlyList&& other) noexcept = default;
    PlyList& operator=(const PlyList& other);
    PlyList& operator=(PlyList&& other) noexcept = default;

    int Held() const { return m_plies ? static_cast<int>(m_plies->size()) : 0; }
    std::size_t size() const { return static_cast<std::size_t>(Held()); }
    bool empty() const { return Held() == 0; }

    inline const PlyRecord& operator[](int i) const;
    // Makes room up to `i`, and makes ply `i` this list's own.
    inline PlyRecord& operator[](int i);
    const PlyRecord& front() const { return (*this)[0]; }
    const PlyRecord& back() const { return (*this)[Held() - 1]; }
    PlyRecord& front() { return (*this)[0]; }
    PlyRecord& back() { return (*this)[Held() - 1]; }

    // The records in order, read only.
    class const_iterator {
    public:
        explicit const_iterator(const Shared* at) : m_at(at) {}
        const PlyRecord& operator*() const { return **m_at; }
        const PlyRecord* operator->() const { return m_at->get(); }
        const_iterator& operator++() {
            ++m_at;
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return m_at != other.m_at; }
        bool operator==(const const_iterator& other) const { return m_at == other.m_at; }

    private:
        const Shared* m_at;
    };
    const_iterator begin() const { return const_iterator(m_plies ? m_plies->data() : nullptr); }
    const_iterator end() const {
        return const_iterator(m_plies ? m_plies->data() + m_plies->size() : nullptr);
    }

    void push_back(const PlyRecord& ply);
    void push_back(PlyRecord&& ply);
    // Ply `i` as a pointer that keeps it as it is: this list copies it before
    // its next write to it. `i` is below Held().
    Shared Share(int i) const { return (*m_plies)[static_cast<std::size_t>(i)]; }
    // Appends, or puts in place of ply `i`, a ply another list holds, shared with it.
    void PushShared(Shared ply);
    void Put(int i, Shared ply);
    // Plies first..last-1 as a list of their own, sharing every record.
    PlyList Slice(int first, int last) const;
    // Keeps the first `count` plies.
    void Truncate(int count);
    void EraseAt(int i);
    void clear() { m_plies.reset(); }

    // Whether `other` holds these very records, not copies of them.
    bool Shares(const PlyList& other) const { return m_plies && m_plies == other.m_plies; }
    // The same plies: shared, or equal field by field.
    bool operator==(const PlyList& other) const;
    bool operator!=(const PlyList& other) const { return !(*this == other); }
    bool SharesPly(int i, const PlyList& other) const {
        return i < Held() && i < other.Held() && Share(i) == other.Share(i);
    }

    // One past the last ply that anything was written to.
    int Written() const;
    // Every ply from Written() on is exactly as a new record: what the
    // shortened copy relies on. For the invariant checks.
    bool RestUnwritten() const;
    // Gives back the room grown for plies not written: a game kept open
    // holds what it has.
    void ShrinkToWritten();

    static const PlyRecord& Unwritten();

private:
    static const Shared& UnwrittenShared();
    void OwnList();
    // operator[] when the ply is not this list's own yet, or not held.
    PlyRecord& MakeOwn(int i);

    std::shared_ptr<std::vector<Shared>> m_plies;
};

// The variations of one move, in the order they were given. A copy shares the
// list until one side changes it; each variation shares its plies again.
class VariationList {
public:
    inline std::size_t size() const;
    bool empty() const { return size() == 0; }
    inline const Variation& operator[](std::size_t i) const;
    inline Variation& operator[](std::size_t i);
    const Variation& front() const { return (*this)[0]; }
    const Variation& back() const { return (*this)[size() - 1]; }
    Variation& back() { return (*this)[size() - 1]; }
    inline const Variation* begin() const;
    inline const Variation* end() const;
    inline Variation* begin();
    inline Variation* end();

    void push_back(Variation variation);
    void EraseAt(std::size_t i);
    void clear() { m_list.reset(); }
    bool Shares(const VariationList& other) const { return m_list == other.m_list; }
    bool operator==(const VariationList& other) const;
    bool operator!=(const VariationList& other) const { return !(*this == other); }

private:
    void Own();

    std::shared_ptr<std::vector<Variation>> m_list;
};
