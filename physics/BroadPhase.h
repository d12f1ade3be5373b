#pragma once

// The collision pass over a grid: the pair loop's results, visiting only the pairs that can
// overlap at their turn.

#include <cstdint>
#include <glm/glm.hpp>
#include <utility>
#include <vector>

#include "physics/GridBuckets.h"

namespace Geo {
class GeoObjPhysics;
}

// Reproduces the pair loop exactly: rows in list order, each row's partners in list order, every
// pair judged with the boxes as the earlier pairs of the same pass left them. A pair is skipped
// only when its boxes are apart at its turn or both its objects sleep then, and the pair loop
// skips those too without any effect.
//
// Objects of about one size live in a uniform grid; the rest (fixed walls, boxes too large for a
// cell or not finite) are "loose" and tested against every row. A sleeping row meets only the
// partners that awake objects have announced to it and the loose boxes it touches, and is not
// visited at all without either, so a sleeping heap nothing awake comes near costs only its
// contacts with the room.
class BroadPhase {
public:
    // Runs one collision pass over objects; the pairs tested are counted in pairsTested().
    void collide(const std::vector<Geo::GeoObjPhysics*>& objects);
    // The same after each object's step of dt (PhysicsWorld::stepObject), taken as the pass's
    // first walk reaches the object.
    void updateAndCollide(const std::vector<Geo::GeoObjPhysics*>& objects, float dt, bool gravity);
    // Forgets the grid: the next pass builds it again from the objects as they are then.
    void invalidate() { built = false; }
    std::uint64_t pairsTested() const { return tested; }

private:
    struct Bounds {
        glm::vec3 min;
        glm::vec3 max;
    };
    struct CellRange {
        glm::ivec3 lo{0};
        glm::ivec3 hi{-1};
        bool operator==(const CellRange& o) const { return lo == o.lo && hi == o.hi; }
    };
    struct Entry {
        Bounds box;
        CellRange cells;
        bool inGrid = false;
        // Whether the box overlaps a loose one, as of looseVersion looseCheckedAt (0: never).
        bool touchesLoose = true;
        std::uint32_t looseCheckedAt = 0;
    };

    struct ObjectStep {
        float dt;
        bool gravity;
    };
    // step, when given, is what every object goes through first.
    void pass(const std::vector<Geo::GeoObjPhysics*>& objects, const ObjectStep* step);
    void build(const std::vector<Geo::GeoObjPhysics*>& objects);
    // Before the first row: every sleeping row learns of the awake objects over it.
    void announceAwakeToSleeping(std::uint32_t awake);
    // A row is visited when it may have a pair to test: awake, loose, moved, told of a partner,
    // woken or touching a loose box. The others sleep apart and cost nothing.
    void activate(std::uint32_t index);
    // The first active row from `from` on, or the list's size.
    std::uint32_t nextActive(std::uint32_t from) const;
    // Whether the row's box may touch a loose one: known until a loose box or the list changes.
    bool mayTouchLoose(std::uint32_t index);
    void checkTouchesLoose(Entry& e, std::uint32_t index);
    void looseChanged();
    // Whether the box lies in a region no loose box touches, so that none need testing.
    bool clearOfLoose(const Bounds& box);
    void cutClearOfLoose();
    // Follows the object's box, if it moved or the object's static flag changed.
    void refresh(std::uint32_t index);
    // Takes the moved box: its cells, or the loose list.
    void follow(std::uint32_t index, const Bounds& box);
    bool fitsGrid(const Bounds& box) const;
    void nextStamp();
    CellRange cellsOf(const Bounds& box) const;
    // True only when cellsOf(box) is cells; false may be either.
    bool staysInCells(const Bounds& box, const CellRange& cells) const;
    void insert(std::uint32_t index);
    void erase(std::uint32_t index);

    // Every object from index `from` on whose box overlaps `index`'s, in list order.
    void gatherAll(std::uint32_t index, std::uint32_t from);
    // The partners announced to a sleeping row, and its loose neighbours.
    void gatherAnnounced(std::uint32_t index);
    void addLoose(std::uint32_t index, std::uint32_t from);
    // With members given, every object met in index's cells from `from` on goes there too, before
    // the box test.
    void addGridNeighbours(std::uint32_t index, std::uint32_t from, std::vector<std::uint32_t>& out,
                           std::vector<std::uint32_t>* members = nullptr);
    // Partners again after the row's box moved within its cells: its cells' members are the same.
    bool regatherFromMembers(std::uint32_t index, std::uint32_t from);
    void finishCandidates();
    // Tells every sleeping row from firstRow on whose object now overlaps index's of the pair.
    void announce(std::uint32_t index, std::uint32_t firstRow);
    std::uint32_t indexOf(const Geo::GeoObjPhysics* object) const;

    void runRow(std::uint32_t row);
    void runLooseRow(std::uint32_t row);
    struct Outcome {
        bool resolved = false;
        bool rowMoved = false;
    };
    // Both boxes and whatever woke are followed when the pair was resolved.
    Outcome testPair(std::uint32_t row, std::uint32_t other);
    // To the bit: a box moved by nothing at all is the same.
    static bool sameBox(const Bounds& a, const Bounds& b);

    static bool boxesOverlap(const Bounds& a, const Bounds& b);
    static Bounds boundsOf(const Geo::GeoObjPhysics& object);

    const std::vector<Geo::GeoObjPhysics*>* list = nullptr;
    std::vector<Geo::GeoObjPhysics*> builtFor;
    // builtFor's objects by address, for finding the index of an object a pair woke.
    std::vector<std::pair<const Geo::GeoObjPhysics*, std::uint32_t>> byAddress;
    bool built = false;
    float cellSize = 1.0f;
    // Multiplying keeps the order of coordinates as dividing does, for less.
    float cellsPerUnit = 1.0f;
    // Cell 0 starts here on every axis.
    glm::vec3 gridOrigin{0.0f};
    // Each object of the grid, once for every cell of its box.
    GridBuckets grid;
    std::vector<Entry> entries;
    // Sorted by index.
    std::vector<std::uint32_t> loose;
    // The bounds of the grid's boxes at the last build, cut clear of every loose box: the room's
    // walls lie around a scene, not in it. Cut again after a loose box or the list changed.
    Bounds griddedBounds;
    Bounds clearRegion;
    bool clearRegionStale = true;
    std::vector<std::vector<std::uint32_t>> announced;
    std::vector<std::uint32_t> seenStamp;
    std::uint32_t stamp = 0;
    std::vector<std::uint32_t> candidates;
    // The cells' members the running row last gathered from: while the row stays in those cells,
    // nothing after its current partner has entered or left them, as only the row and its partners
    // so far have moved since.
    std::vector<std::uint32_t> rowMembers;
    CellRange rowMembersCells;
    std::uint32_t rowMembersOf = kNoRow;
    std::uint32_t rowMembersFrom = 0;
    static constexpr std::uint32_t kNoRow = ~std::uint32_t{0};
    std::vector<std::uint32_t> neighbours;
    // The enabled objects awake, and asleep, as the pass begins, in list order: the objects are
    // not walked again to find either.
    std::vector<std::uint32_t> awakeRows;
    std::vector<std::uint32_t> asleepRows;
    std::vector<Geo::GeoObjPhysics*> woken;
    // One past the last enabled object that may sleep in this pass: only a pair puts an object to
    // sleep, and no pass enables one.
    std::uint32_t sleepersBelow = 0;
    std::uint64_t tested = 0;
    // A bit for every row.
    std::vector<std::uint64_t> active;
    static constexpr std::uint32_t kRowsPerWord = 64;
    // Counts every change of a loose box or of the loose list.
    std::uint32_t looseVersion = 1;
    bool inPass = false;
    // A loose box changed during the pass: every row from then on is visited.
    bool looseMoved = false;
    std::vector<std::uint32_t> looseToRefresh;
};
