#include "physics/BroadPhase.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/Assert.h"
#include "objects/GeoObjPhysics.h"
#include "physics/PhysicsWorld.h"

using Geo::GeoObjPhysics;

namespace {

// The share of movable objects whose size sets the cell: the rest, larger, are tested loose.
constexpr double kCellSizeQuantile = 0.9;
// Cell coordinates are clamped here, far beyond any room, so that any finite box has cells.
constexpr float kFarthestCell = 1 << 20;
// A box up to this many cells wide still lives in the grid.
constexpr float kLargestInCells = 2.0f;

bool isFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

float largestExtent(const glm::vec3& min, const glm::vec3& max) {
    const glm::vec3 e = max - min;
    return std::max(e.x, std::max(e.y, e.z));
}

// No box is inside this one.
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The volume of a box, or -1 for one with a negative or NaN extent.
double volumeOf(const glm::vec3& min, const glm::vec3& max) {
    double volume = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double extent = static_cast<double>(max[axis]) - min[axis];
        if (!(extent >= 0.0)) return -1.0;
        volume *= extent;
    }
    return volume;
}

// Four floats, or ints, worked on side by side with the same results as one at a time.
using Lanes = float __attribute__((vector_size(4 * sizeof(float))));
using IntLanes = std::int32_t __attribute__((vector_size(4 * sizeof(std::int32_t))));

template <class V>
V lanesAt(const char* bytes) {
    V v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

// How many rows ahead the opening walk asks for an object's box.
constexpr std::uint32_t kFetchAhead = 8;

// What the opening walk reads of an object: the flags and the box's corners side by side (on one
// cache line, or across two), the box's position a line further on, and the object's own position,
// which its update moves.
void prefetchBox(const GeoObjPhysics& object) {
    __builtin_prefetch(&object.modelMatrix[3]);
    __builtin_prefetch(&object.collider);
    __builtin_prefetch(&object.collider.transform.modelMatrix[3]);
    __builtin_prefetch(&object.asleep);
}

// Objects laid out in a plane, as a wall or a pyramid is, would straddle a cell boundary there and
// so sit in twice the cells: the median object instead sits in the middle of a cell on every axis.
// Reorders centres.
glm::vec3 gridOriginFor(std::vector<glm::vec3>& centres, float cellSize) {
    if (centres.empty()) return glm::vec3(0.0f);
    const std::size_t middle = centres.size() / 2;
    glm::vec3 origin;
    for (int axis = 0; axis < 3; ++axis) {
        std::nth_element(
            centres.begin(), centres.begin() + middle, centres.end(),
            [axis](const glm::vec3& a, const glm::vec3& b) { return a[axis] < b[axis]; });
        origin[axis] = centres[middle][axis] - cellSize * 0.5f;
    }
    return origin;
}

}  // namespace

inline BroadPhase::Bounds BroadPhase::boundsOf(const GeoObjPhysics& object) {
    return {object.collider.worldMin(), object.collider.worldMax()};
}

// Touching boxes overlap, and a box with a NaN overlaps everything, as in the pair loop.
inline bool BroadPhase::boxesOverlap(const Bounds& a, const Bounds& b) {
    return !(a.max.x < b.min.x || b.max.x < a.min.x || a.max.y < b.min.y || b.max.y < a.min.y ||
             a.max.z < b.min.z || b.max.z < a.min.z);
}

inline bool BroadPhase::sameBox(const Bounds& a, const Bounds& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Inline: every row that gathers its partners asks. False for a box with a NaN.
inline bool BroadPhase::clearOfLoose(const Bounds& box) {
    if (clearRegionStale) cutClearOfLoose();
    const Bounds& r = clearRegion;
    return box.min.x >= r.min.x && box.min.y >= r.min.y && box.min.z >= r.min.z &&
           box.max.x <= r.max.x && box.max.y <= r.max.y && box.max.z <= r.max.z;
}

// Inline: every sleeping row of the walk asks, and the answer is mostly known.
inline bool BroadPhase::mayTouchLoose(std::uint32_t index) {
    Entry& e = entries[index];
    if (e.looseCheckedAt != looseVersion) checkTouchesLoose(e, index);
    return e.touchesLoose;
}

// Inline: every object of the walk comes here, and most of them have not moved at all.
inline void BroadPhase::refresh(std::uint32_t index) {
    const Entry& e = entries[index];
    const GeoObjPhysics& object = *(*list)[index];
    const Bounds box = boundsOf(object);
    // A box that has not moved keeps its place, unless the object became static or stopped being
    // so: only a movable object lives in the grid.
    if (sameBox(box, e.box) && e.inGrid != object.isStatic) return;
    follow(index, box);
}

void BroadPhase::collide(const std::vector<GeoObjPhysics*>& objects) {
    pass(objects, nullptr);
}

void BroadPhase::updateAndCollide(const std::vector<GeoObjPhysics*>& objects, float dt,
                                  bool gravity) {
    const ObjectStep step{dt, gravity};
    pass(objects, &step);
}

void BroadPhase::pass(const std::vector<GeoObjPhysics*>& objects, const ObjectStep* step) {
    list = &objects;
    const auto n = static_cast<std::uint32_t>(objects.size());
    const auto stepObject = [step](GeoObjPhysics& object) {
        // A sleeping object that gravity does not pull is left as it is by its step: most of a
        // heap, which then costs no call.
        if (step != nullptr && !(object.asleep && !object.gravity))
            PhysicsWorld::stepObject(object, step->dt, step->gravity);
    };
    inPass = false;
    looseMoved = false;
    std::fill(active.begin(), active.end(), 0);
    const bool rebuilt = !built || objects != builtFor;
    if (rebuilt) {
        for (GeoObjPhysics* object : objects) stepObject(*object);
        build(objects);
    } else {
        // The loose boxes first: whether a row touches one is judged in the loop below.
        looseToRefresh = loose;
        for (const std::uint32_t i : looseToRefresh) {
            stepObject(*objects[i]);
            refresh(i);
        }
    }
    auto nextLoose = looseToRefresh.cbegin();
    const std::uint32_t looseBefore = looseVersion;
    std::uint32_t awake = 0;
    sleepersBelow = 0;
    awakeRows.clear();
    asleepRows.clear();
    for (std::uint32_t i = 0; i < n; ++i) {
        // The objects lie apart in memory, where no hardware prefetch follows the list's pointers.
        if (i + kFetchAhead < n) prefetchBox(*objects[i + kFetchAhead]);
        if (!rebuilt) {
            // The loose objects had their step above, some of them moved into the grid since.
            if (nextLoose != looseToRefresh.cend() && *nextLoose == i) {
                ++nextLoose;
            } else {
                stepObject(*objects[i]);
            }
            if (entries[i].inGrid) refresh(i);
        }
        // A box that left the grid in this loop may touch rows already judged.
        if (looseVersion != looseBefore) looseMoved = true;
        const GeoObjPhysics& object = *objects[i];
        awake += object.asleep ? 0 : 1;
        if (!object.collider.isEnabled()) continue;
        if (object.asleep) {
            sleepersBelow = i + 1;
            asleepRows.push_back(i);
        } else {
            awakeRows.push_back(i);
        }
        if (!object.asleep || !entries[i].inGrid || mayTouchLoose(i)) activate(i);
    }
    announceAwakeToSleeping(awake);
    inPass = true;
    for (std::uint32_t row = looseMoved ? 0 : nextActive(0); row < n;
         row = looseMoved ? row + 1 : nextActive(row + 1)) {
        if (entries[row].inGrid) {
            runRow(row);
        } else {
            runLooseRow(row);
        }
        announced[row].clear();
    }
    inPass = false;
}

void BroadPhase::activate(std::uint32_t index) {
    active[index / kRowsPerWord] |= std::uint64_t{1} << (index % kRowsPerWord);
}

std::uint32_t BroadPhase::nextActive(std::uint32_t from) const {
    const auto n = static_cast<std::uint32_t>(list->size());
    if (from >= n) return n;
    std::size_t word = from / kRowsPerWord;
    std::uint64_t bits = active[word] & (~std::uint64_t{0} << (from % kRowsPerWord));
    while (bits == 0) {
        if (++word == active.size()) return n;
        bits = active[word];
    }
    return static_cast<std::uint32_t>(word * kRowsPerWord) +
           static_cast<std::uint32_t>(__builtin_ctzll(bits));
}

void BroadPhase::checkTouchesLoose(Entry& e, std::uint32_t index) {
    e.touchesLoose =
        !clearOfLoose(e.box) && std::any_of(loose.begin(), loose.end(), [&](std::uint32_t k) {
            return k != index && boxesOverlap(e.box, entries[k].box);
        });
    e.looseCheckedAt = looseVersion;
}

// Each loose box that the region touches is cut away on the side that keeps the most of it: just
// short of the box, so that a box within the region ends before the loose one begins. A loose box
// with a NaN touches everything and leaves nothing.
void BroadPhase::cutClearOfLoose() {
    clearRegionStale = false;
    clearRegion = griddedBounds;
    for (const std::uint32_t k : loose) {
        const Bounds& cut = entries[k].box;
        if (!boxesOverlap(clearRegion, cut)) continue;
        Bounds best{glm::vec3(kInfinity), glm::vec3(-kInfinity)};
        double bestVolume = -1.0;
        for (int axis = 0; axis < 3; ++axis) {
            Bounds below = clearRegion;
            below.max[axis] = std::nextafter(cut.min[axis], -kInfinity);
            Bounds above = clearRegion;
            above.min[axis] = std::nextafter(cut.max[axis], kInfinity);
            for (const Bounds& side : {below, above}) {
                const double volume = volumeOf(side.min, side.max);
                if (volume > bestVolume) {
                    best = side;
                    bestVolume = volume;
                }
            }
        }
        clearRegion = best;
    }
}

void BroadPhase::looseChanged() {
    clearRegionStale = true;
    if (++looseVersion == 0) {
        for (Entry& e : entries) e.looseCheckedAt = 0;
        looseVersion = 1;
    }
    // The rows that did not touch a loose box at the start may touch this one now.
    if (inPass) looseMoved = true;
}

void BroadPhase::announceAwakeToSleeping(std::uint32_t awake) {
    const std::vector<GeoObjPhysics*>& objects = *list;
    const auto n = static_cast<std::uint32_t>(objects.size());
    // From whichever side is smaller: a settling heap asks for nothing, nor does a sleeping one.
    if (awake <= n - awake) {
        for (const std::uint32_t i : awakeRows) announce(i, 0);
        return;
    }
    for (const std::uint32_t i : asleepRows) {
        if (!entries[i].inGrid) continue;
        neighbours.clear();
        addGridNeighbours(i, i + 1, neighbours);
        for (const std::uint32_t k : neighbours) {
            if (objects[k]->asleep) continue;
            announced[i].push_back(k);
            activate(i);
        }
    }
}

void BroadPhase::build(const std::vector<GeoObjPhysics*>& objects) {
    const std::size_t n = objects.size();
    builtFor = objects;
    built = true;
    byAddress.clear();
    for (std::size_t i = 0; i < n; ++i) byAddress.emplace_back(objects[i], i);
    std::sort(byAddress.begin(), byAddress.end());
    entries.assign(n, Entry{});
    announced.resize(n);
    awakeRows.reserve(n);
    asleepRows.reserve(n);
    for (auto& rowAnnounced : announced) rowAnnounced.clear();
    seenStamp.assign(n, 0);
    active.assign((n + kRowsPerWord - 1) / kRowsPerWord, ~std::uint64_t{0});
    stamp = 0;
    loose.clear();

    std::vector<float> sizes;
    std::vector<glm::vec3> centres;
    for (std::size_t i = 0; i < n; ++i) {
        entries[i].box = boundsOf(*objects[i]);
        const Bounds& b = entries[i].box;
        if (!objects[i]->isStatic && isFinite(b.min) && isFinite(b.max)) {
            sizes.push_back(largestExtent(b.min, b.max));
            // Halves first: the sum of two finite corners may not be finite.
            centres.push_back(b.min * 0.5f + b.max * 0.5f);
        }
    }
    cellSize = 1.0f;
    if (!sizes.empty()) {
        const auto at = static_cast<std::size_t>(kCellSizeQuantile * (sizes.size() - 1));
        std::nth_element(sizes.begin(), sizes.begin() + at, sizes.end());
        if (sizes[at] > 0.0f) cellSize = sizes[at];
    }
    cellsPerUnit = 1.0f / cellSize;
    gridOrigin = gridOriginFor(centres, cellSize);
    CellRange bounds;
    std::vector<std::uint32_t> gridded;
    griddedBounds = {glm::vec3(kInfinity), glm::vec3(-kInfinity)};
    clearRegionStale = true;
    for (std::uint32_t i = 0; i < n; ++i) {
        if (objects[i]->isStatic || !fitsGrid(entries[i].box)) {
            loose.push_back(i);
            continue;
        }
        griddedBounds.min = glm::min(griddedBounds.min, entries[i].box.min);
        griddedBounds.max = glm::max(griddedBounds.max, entries[i].box.max);
        const CellRange c = cellsOf(entries[i].box);
        bounds =
            gridded.empty() ? c : CellRange{glm::min(bounds.lo, c.lo), glm::max(bounds.hi, c.hi)};
        gridded.push_back(i);
    }
    grid.reset(bounds.lo, bounds.hi, gridded.size());
    for (const std::uint32_t i : gridded) insert(i);
}

bool BroadPhase::fitsGrid(const Bounds& box) const {
    // Room to spare: the same box measures a little differently at another place. A corner that
    // is not finite makes an extent that is infinite or NaN, which no comparison lets through.
    const glm::vec3 extent = box.max - box.min;
    return glm::all(glm::lessThanEqual(extent, glm::vec3(kLargestInCells * cellSize)));
}

BroadPhase::CellRange BroadPhase::cellsOf(const Bounds& box) const {
    // The shift, floor and clamp keep the order of coordinates, so boxes that overlap, touching
    // included, always share a cell.
    const auto cellAt = [&](const glm::vec3& p) {
        const glm::vec3 c = glm::clamp((p - gridOrigin) * cellsPerUnit, glm::vec3(-kFarthestCell),
                                       glm::vec3(kFarthestCell));
        // The floor of a clamped value, without a call to the library's floor.
        const glm::ivec3 truncated(c);
        return truncated - glm::ivec3(glm::lessThan(c, glm::vec3(truncated)));
    };
    return {cellAt(box.min), cellAt(box.max)};
}

// A scaled coordinate's cell is lo exactly when lo <= it < lo + 1, clamped or not: the check of
// a box that moves within its cells, without their floors. The six coordinates are taken four at
// a time, as (min.x, min.y, min.z, max.x) and (min.z, max.x, max.y, max.z), each lane worked out
// as alone.
bool BroadPhase::staysInCells(const Bounds& box, const CellRange& cells) const {
    static_assert(sizeof(Bounds) == 6 * sizeof(float) && sizeof(CellRange) == 6 * sizeof(int));
    const auto* corners = reinterpret_cast<const char*>(&box);
    const auto* cellsAt = reinterpret_cast<const char*>(&cells);
    const std::size_t secondHalf = 2 * sizeof(float);
    const Lanes origin = {gridOrigin.x, gridOrigin.y, gridOrigin.z, gridOrigin.x};
    const Lanes originAfter = {gridOrigin.z, gridOrigin.x, gridOrigin.y, gridOrigin.z};
    const Lanes scaled = (lanesAt<Lanes>(corners) - origin) * cellsPerUnit;
    const Lanes scaledAfter = (lanesAt<Lanes>(corners + secondHalf) - originAfter) * cellsPerUnit;
    const Lanes cell = __builtin_convertvector(lanesAt<IntLanes>(cellsAt), Lanes);
    const Lanes cellAfter = __builtin_convertvector(lanesAt<IntLanes>(cellsAt + secondHalf), Lanes);
    const IntLanes inside = (scaled >= cell) & (scaled < cell + 1.0f) & (scaledAfter >= cellAfter) &
                            (scaledAfter < cellAfter + 1.0f);
    return (inside[0] & inside[1] & inside[2] & inside[3]) != 0;
}

void BroadPhase::insert(std::uint32_t index) {
    Entry& e = entries[index];
    e.inGrid = true;
    e.cells = cellsOf(e.box);
    for (int z = e.cells.lo.z; z <= e.cells.hi.z; ++z)
        for (int y = e.cells.lo.y; y <= e.cells.hi.y; ++y)
            for (int x = e.cells.lo.x; x <= e.cells.hi.x; ++x) grid.add({x, y, z}, index);
}

void BroadPhase::erase(std::uint32_t index) {
    Entry& e = entries[index];
    for (int z = e.cells.lo.z; z <= e.cells.hi.z; ++z)
        for (int y = e.cells.lo.y; y <= e.cells.hi.y; ++y)
            for (int x = e.cells.lo.x; x <= e.cells.hi.x; ++x) grid.remove({x, y, z}, index);
    e.inGrid = false;
}

void BroadPhase::follow(std::uint32_t index, const Bounds& box) {
    Entry& e = entries[index];
    const GeoObjPhysics& object = *(*list)[index];
    e.box = box;
    e.looseCheckedAt = 0;
    activate(index);
    if (!e.inGrid) looseChanged();
    // A box that stays in its cells still fits them, whatever its extent rounds to here.
    if (e.inGrid && !object.isStatic && staysInCells(e.box, e.cells)) return;
    const bool belongs = !object.isStatic && fitsGrid(e.box);
    if (belongs && e.inGrid) {
        const CellRange cells = cellsOf(e.box);
        if (cells == e.cells) return;
        grid.move(e.cells.lo, e.cells.hi, cells.lo, cells.hi, index);
        e.cells = cells;
        return;
    }
    if (belongs == e.inGrid) return;
    const auto at = std::lower_bound(loose.begin(), loose.end(), index);
    if (belongs) {
        loose.erase(at);
        insert(index);
    } else {
        erase(index);
        loose.insert(at, index);
        looseChanged();
    }
}

std::uint32_t BroadPhase::indexOf(const GeoObjPhysics* object) const {
    const auto at = std::lower_bound(byAddress.begin(), byAddress.end(),
                                     std::make_pair(object, std::uint32_t{0}));
    KELVARIN_ASSERT(at != byAddress.end() && at->first == object);
    return at->second;
}

// A stamp no object carries yet; when the count wraps, every mark is cleared first.
void BroadPhase::nextStamp() {
    if (++stamp == 0) {
        std::fill(seenStamp.begin(), seenStamp.end(), 0);
        stamp = 1;
    }
}

void BroadPhase::addGridNeighbours(std::uint32_t index, std::uint32_t from,
                                   std::vector<std::uint32_t>& out,
                                   std::vector<std::uint32_t>* members) {
    nextStamp();
    seenStamp[index] = stamp;
    const Entry& e = entries[index];
    const std::vector<GeoObjPhysics*>& objects = *list;
    for (int z = e.cells.lo.z; z <= e.cells.hi.z; ++z)
        for (int y = e.cells.lo.y; y <= e.cells.hi.y; ++y)
            for (int x = e.cells.lo.x; x <= e.cells.hi.x; ++x) {
                grid.forEachFrom({x, y, z}, from, [&](std::uint32_t k) {
                    if (seenStamp[k] == stamp) return;
                    seenStamp[k] = stamp;
                    if (members != nullptr) members->push_back(k);
                    if (boxesOverlap(e.box, entries[k].box) && objects[k]->collider.isEnabled())
                        out.push_back(k);
                });
            }
}

void BroadPhase::addLoose(std::uint32_t index, std::uint32_t from) {
    const Bounds& box = entries[index].box;
    if (clearOfLoose(box)) return;
    for (auto at = std::lower_bound(loose.begin(), loose.end(), from); at != loose.end(); ++at) {
        if (*at != index && boxesOverlap(box, entries[*at].box)) candidates.push_back(*at);
    }
}

void BroadPhase::finishCandidates() {
    // Most rows have one partner or none.
    if (candidates.size() > 1) std::sort(candidates.begin(), candidates.end());
}

void BroadPhase::gatherAll(std::uint32_t index, std::uint32_t from) {
    if (regatherFromMembers(index, from)) return;
    candidates.clear();
    if (entries[index].inGrid) {
        rowMembers.clear();
        addGridNeighbours(index, from, candidates, &rowMembers);
        rowMembersOf = index;
        rowMembersCells = entries[index].cells;
        rowMembersFrom = from;
        addLoose(index, from);
    } else {
        // A box that has just left the grid (grown or no longer finite) meets anything.
        const auto n = static_cast<std::uint32_t>(list->size());
        for (std::uint32_t k = from; k < n; ++k) {
            if (k != index && boxesOverlap(entries[index].box, entries[k].box))
                candidates.push_back(k);
        }
    }
    finishCandidates();
}

bool BroadPhase::regatherFromMembers(std::uint32_t index, std::uint32_t from) {
    const Entry& e = entries[index];
    if (rowMembersOf != index || !e.inGrid || !(e.cells == rowMembersCells) ||
        from < rowMembersFrom)
        return false;
    candidates.clear();
    const std::vector<GeoObjPhysics*>& objects = *list;
    for (const std::uint32_t k : rowMembers) {
        if (k >= from && boxesOverlap(e.box, entries[k].box) && objects[k]->collider.isEnabled())
            candidates.push_back(k);
    }
    addLoose(index, from);
    finishCandidates();
    return true;
}

void BroadPhase::gatherAnnounced(std::uint32_t index) {
    candidates.clear();
    nextStamp();
    const Bounds& box = entries[index].box;
    for (const std::uint32_t k : announced[index]) {
        if (seenStamp[k] == stamp || !entries[k].inGrid) continue;
        seenStamp[k] = stamp;
        if (boxesOverlap(box, entries[k].box)) candidates.push_back(k);
    }
    if (mayTouchLoose(index)) addLoose(index, index + 1);
    finishCandidates();
}

void BroadPhase::announce(std::uint32_t index, std::uint32_t firstRow) {
    if (!entries[index].inGrid) return;
    // Only a sleeping row from firstRow on is told, and a pair's first object is its row.
    if (firstRow >= sleepersBelow && !(*list)[index]->asleep) return;
    neighbours.clear();
    addGridNeighbours(index, firstRow, neighbours);
    const std::vector<GeoObjPhysics*>& objects = *list;
    for (const std::uint32_t k : neighbours) {
        const std::uint32_t first = std::min(index, k);
        // An awake row finds its partners itself; a row that falls asleep before its turn does so
        // in a pair of this pass, which announces it again.
        if (first >= firstRow && objects[first]->asleep) {
            announced[first].push_back(std::max(index, k));
            activate(first);
        }
    }
}

void BroadPhase::runRow(std::uint32_t row) {
    rowMembersOf = kNoRow;
    if (!(*list)[row]->collider.isEnabled()) return;
    if ((*list)[row]->asleep) {
        gatherAnnounced(row);
    } else {
        gatherAll(row, row + 1);
    }
    bool gatheredAsleep = (*list)[row]->asleep;
    for (std::size_t k = 0; k < candidates.size();) {
        const std::uint32_t other = candidates[k++];
        const Outcome outcome = testPair(row, other);
        // Partners are found again when the row's box moved, or when it woke and so meets the
        // sleepers that were not announced to it.
        const bool woke = gatheredAsleep && !(*list)[row]->asleep;
        if (!outcome.rowMoved && !woke) continue;
        gatherAll(row, other + 1);
        gatheredAsleep = false;
        k = 0;
    }
}

void BroadPhase::runLooseRow(std::uint32_t row) {
    const auto n = static_cast<std::uint32_t>(list->size());
    for (std::uint32_t other = row + 1; other < n; ++other) (void)testPair(row, other);
}

BroadPhase::Outcome BroadPhase::testPair(std::uint32_t row, std::uint32_t other) {
    ++tested;
    if (!boxesOverlap(entries[row].box, entries[other].box)) return {};
    const std::vector<GeoObjPhysics*>& objects = *list;
    const Bounds rowBefore = entries[row].box;
    const Bounds otherBefore = entries[other].box;
    const bool otherAsleepBefore = objects[other]->asleep;
    woken.clear();
    if (!PhysicsWorld::collidePair(*objects[row], *objects[other], &woken)) return {};
    if (objects[row]->asleep) sleepersBelow = std::max(sleepersBelow, row + 1);
    if (objects[other]->asleep) sleepersBelow = std::max(sleepersBelow, other + 1);
    refresh(row);
    refresh(other);
    // Most contacts change only velocities: then nobody needs telling.
    if (!sameBox(otherBefore, entries[other].box) || objects[other]->asleep != otherAsleepBefore)
        announce(other, row + 1);
    for (const GeoObjPhysics* object : woken) {
        const std::uint32_t index = indexOf(object);
        activate(index);
        if (index != row && index != other) announce(index, row + 1);
    }
    return {true, !sameBox(rowBefore, entries[row].box)};
}
