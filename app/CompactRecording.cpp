#include "app/CompactRecording.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <sstream>

#include "core/Assert.h"
#include "core/LineReader.h"
#include "platform/Platform.h"

namespace CompactRecording {
namespace {

using Script::Event;
using Kind = Event::Kind;

constexpr std::uint8_t kMagic[] = {0x89, 'K', 'V', 'R'};
constexpr std::uint8_t kFormat = 1;
// A second of play at 60 frames/s: what kelvarin-sim's converter puts in a chunk.
constexpr int kFramesPerChunk = 60;
// More events than any frame the game records holds: a frame holding more is damage.
constexpr int kMaxEventsPerFrame = 4096;
// A recording holds no more events than its text could ("1 dump" is the shortest line), so a few
// compact bytes never grow into more than a text recording may.
constexpr std::size_t kShortestLineBytes = 7;
constexpr std::size_t kMaxEvents = Script::kMaxBytes / kShortestLineBytes;
constexpr int kByteBits = 8;
constexpr int kDoubleBits = 64;
constexpr unsigned kVarintBits = 7;
constexpr std::uint8_t kVarintMore = 0x80;
constexpr std::uint32_t kFnvOffset = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;
constexpr int kCheckBytes = 2;

// What a frame's events are coded as; End closes the frame. A time is Steps when it is a whole
// number of the clock's steps, else its exact bits.
enum Symbol : unsigned { End, Mouse, Steps, Seconds, Look, Dump, Press, Release };
// A frame's time is coded against the average of those before, over about 2^kAverageShift frames:
// a browser's frame times scatter around it, so the last one alone predicts worse.
constexpr int kAverageShift = 3;
// Contexts of a frame's first symbol follow those of the symbols after each symbol.
constexpr unsigned kFrameStart = 1u << Models::kSymbolBits;

void putVarint(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (; value >= kVarintMore; value >>= kVarintBits) {
        out.push_back(static_cast<std::uint8_t>(value | kVarintMore));
    }
    out.push_back(static_cast<std::uint8_t>(value));
}

// False at the end of the bytes or past 32 bits.
bool getVarint(const std::string& bytes, std::size_t& at, std::uint32_t& value) {
    value = 0;
    for (unsigned shift = 0; shift < 32 && at < bytes.size(); shift += kVarintBits) {
        const auto byte = static_cast<std::uint8_t>(bytes[at++]);
        value |= static_cast<std::uint32_t>(byte & ~kVarintMore) << shift;
        if ((byte & kVarintMore) == 0) return true;
    }
    return false;
}

// A chunk's check covers its length and frame count as well as its payload.
std::uint16_t checkOf(const std::uint8_t* counts, const std::uint8_t* countsEnd,
                      const std::uint8_t* payload, const std::uint8_t* payloadEnd) {
    std::uint32_t hash = kFnvOffset;
    for (const std::uint8_t* at = counts; at != countsEnd; ++at) hash = (hash ^ *at) * kFnvPrime;
    for (const std::uint8_t* at = payload; at != payloadEnd; ++at) hash = (hash ^ *at) * kFnvPrime;
    return static_cast<std::uint16_t>(hash ^ (hash >> 16));
}

void putCheck(std::vector<std::uint8_t>& out, std::uint16_t check) {
    out.push_back(static_cast<std::uint8_t>(check));
    out.push_back(static_cast<std::uint8_t>(check >> kByteBits));
}

std::uint16_t checkAt(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      (static_cast<std::uint8_t>(bytes[at + 1]) << kByteBits));
}

std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(std::uint64_t bits) {
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string headerText(const LookSettings& look, const SceneLayout::Choice& scene) {
    return Script::lookLine(look) + Script::sceneLine(scene);
}

Symbol symbolOf(const Event& e, std::int64_t stepTicks, std::int64_t& steps) {
    switch (e.kind) {
        case Kind::Mouse:
            return Mouse;
        case Kind::Delta: {
            int ticks = 0;
            if (!Script::wholeTicks(e.seconds, ticks) || ticks % stepTicks != 0) return Seconds;
            steps = ticks / stepTicks;
            return Steps;
        }
        case Kind::Look:
            return Look;
        case Kind::Dump:
            return Dump;
        case Kind::Press:
            return Press;
        case Kind::Release:
            return Release;
    }
    return Dump;
}

void encodeEvent(RangeCoder::Encoder& e, Models& m, const Event& event, Symbol symbol,
                 std::int64_t steps) {
    switch (symbol) {
        case Mouse:
            m.dx.encode(e, event.dx - m.lastDx);
            m.dy.encode(e, event.dy - m.lastDy);
            m.lastDx = event.dx;
            m.lastDy = event.dy;
            break;
        case Steps:
            m.ticks.encode(e, steps - (m.averageSteps >> kAverageShift));
            m.averageSteps += steps - (m.averageSteps >> kAverageShift);
            break;
        case Seconds:
            e.encodeDirect(bitsOf(event.seconds), kDoubleBits);
            break;
        case Look: {
            const std::string text = Script::lookLine(event.look);
            e.encodeDirect(text.size(), kByteBits);
            for (const char c : text) e.encodeDirect(static_cast<std::uint8_t>(c), kByteBits);
            break;
        }
        case Press:
        case Release:
            m.action[symbol == Release].encode(e, static_cast<unsigned>(event.action));
            break;
        case End:
        case Dump:
            break;
    }
}

// Decodes one event of the symbol into event; false on what no encoder writes.
bool decodeEvent(RangeCoder::Decoder& d, Models& m, Symbol symbol, std::int64_t stepTicks,
                 Event& event) {
    switch (symbol) {
        case Mouse: {
            const std::int64_t dx = m.lastDx + m.dx.decode(d);
            const std::int64_t dy = m.lastDy + m.dy.decode(d);
            if (dx < INT32_MIN || dx > INT32_MAX || dy < INT32_MIN || dy > INT32_MAX) return false;
            event.kind = Kind::Mouse;
            event.dx = static_cast<int>(m.lastDx = dx);
            event.dy = static_cast<int>(m.lastDy = dy);
            return true;
        }
        case Steps: {
            const std::int64_t steps = (m.averageSteps >> kAverageShift) + m.ticks.decode(d);
            if (steps < 0 || steps > INT32_MAX / stepTicks) return false;
            m.averageSteps += steps - (m.averageSteps >> kAverageShift);
            event.kind = Kind::Delta;
            event.seconds = static_cast<double>(steps * stepTicks) / Platform::kTimerTicksPerSecond;
            return true;
        }
        case Seconds:
            event.kind = Kind::Delta;
            event.seconds = doubleOf(d.decodeDirect(kDoubleBits));
            return event.seconds >= 0.0;
        case Look: {
            std::string text(d.decodeDirect(kByteBits), '\0');
            for (char& c : text) c = static_cast<char>(d.decodeDirect(kByteBits));
            event.kind = Kind::Look;
            return Script::readLookLine(text, event.look);
        }
        case Press:
        case Release: {
            const unsigned action = m.action[symbol == Release].decode(d);
            event.kind = symbol == Press ? Kind::Press : Kind::Release;
            event.action = static_cast<Action>(action);
            return action < static_cast<unsigned>(Controls::kActionCount);
        }
        case Dump:
            event.kind = Kind::Dump;
            return true;
        case End:
            break;
    }
    return false;
}

// One frame's events, appended to events; false on damage: a frame that is not a recording's
// (without exactly one time) or holds what no encoder writes.
bool decodeFrame(RangeCoder::Decoder& d, Models& m, std::int64_t stepTicks, int frame,
                 std::vector<Event>& events) {
    unsigned context = kFrameStart + m.lastFrameStart;
    int times = 0;
    for (int count = 0; count <= kMaxEventsPerFrame; ++count) {
        const auto symbol = static_cast<Symbol>(m.kind[context].decode(d));
        if (count == 0) m.lastFrameStart = symbol;
        if (symbol == End) return times == 1 && !d.overran();
        Event event;
        event.frame = frame;
        if (!decodeEvent(d, m, symbol, stepTicks, event)) return false;
        times += event.kind == Kind::Delta;
        events.push_back(event);
        context = symbol;
    }
    return false;
}

class Reader {
public:
    Reader(const std::string& bytes, const std::string& name) : bytes(bytes), name(name) {}
    Script::Script run();

private:
    bool fail(std::size_t at, const std::string& what);
    bool readHeader();
    bool readChunk();

    const std::string& bytes;
    std::string name;
    Script::Script script;
    Models models;
    std::size_t at = 0;
    std::int64_t stepTicks = 1;
};

bool Reader::fail(std::size_t where, const std::string& what) {
    script.error = shownSafely(name) + ": byte " + std::to_string(where + 1) + ": " + what;
    script.events.clear();
    script.lastFrame = 0;
    return false;
}

Script::Script Reader::run() {
    if (!readHeader()) return script;
    while (at < bytes.size()) {
        if (!readChunk()) return script;
    }
    return script;
}

bool Reader::readHeader() {
    at = sizeof kMagic;
    if (std::memcmp(bytes.data(), kMagic, std::min(at, bytes.size())) != 0) {
        return fail(0, "not a compact recording");
    }
    if (bytes.size() <= at) return fail(0, "cut off in the header");
    if (bytes[at] != kFormat) {
        return fail(at, "unsupported compact format version");
    }
    ++at;
    std::uint32_t step = 0;
    std::uint32_t length = 0;
    if (!getVarint(bytes, at, step) || !getVarint(bytes, at, length) ||
        bytes.size() - at < kCheckBytes + std::size_t{length}) {
        return fail(0, "cut off in the header");
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (checkOf(data, data + at + length, nullptr, nullptr) != checkAt(bytes, at + length) ||
        step == 0 || step > INT32_MAX) {
        return fail(0, "damaged header");
    }
    stepTicks = step;
    std::istringstream text(Script::headerLine() + bytes.substr(at, length));
    const Script::Script header = Script::parse(text, name);
    if (!header.error.empty() || !header.events.empty()) return fail(0, "damaged header");
    script.version = header.version;
    script.compact = true;
    script.look = header.look;
    script.scene = header.scene;
    at += length + kCheckBytes;
    return true;
}

bool Reader::readChunk() {
    const std::size_t start = at;
    const int first = script.lastFrame + 1;
    const std::string frames = "frames from " + std::to_string(first) + " on";
    std::uint32_t length = 0;
    std::uint32_t count = 0;
    if (!getVarint(bytes, at, length) || !getVarint(bytes, at, count) ||
        bytes.size() - at < kCheckBytes + std::size_t{length}) {
        return fail(start, "cut off in the " + frames);
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::uint8_t* counts = data + start;
    const std::uint8_t* countsEnd = data + at;
    const std::uint16_t check = checkAt(bytes, at);
    at += kCheckBytes;
    const std::uint8_t* payload = data + at;
    at += length;
    if (checkOf(counts, countsEnd, payload, payload + length) != check) {
        return fail(start, "damaged in the " + frames);
    }
    if (count > static_cast<std::uint32_t>(Script::kMaxFrame - script.lastFrame)) {
        return fail(
            start, "frame beyond " + std::to_string(Script::kMaxFrame) + " (a day at 60 frames/s)");
    }
    RangeCoder::Decoder decoder(payload, payload + length);
    for (std::uint32_t i = 0; i < count; ++i) {
        const int frame = script.lastFrame + 1;
        if (!decodeFrame(decoder, models, stepTicks, frame, script.events)) {
            return fail(start, "damaged in frame " + std::to_string(frame));
        }
        if (script.events.size() > kMaxEvents) {
            return fail(start, "more events than " + std::to_string(Script::kMaxBytes) +
                                   " bytes of text hold, beyond a day of play");
        }
        script.lastFrame = frame;
    }
    return true;
}

}  // namespace

bool isLeadByte(int byte) {
    return byte == kMagic[0];
}

Writer::Writer(const LookSettings& look, const SceneLayout::Choice& scene, int stepTicks)
    : stepTicks(stepTicks) {
    KELVARIN_ASSERT(stepTicks >= 1);
    const std::string text = headerText(look, scene);
    waiting.assign(std::begin(kMagic), std::end(kMagic));
    waiting.push_back(kFormat);
    putVarint(waiting, static_cast<std::uint32_t>(stepTicks));
    putVarint(waiting, static_cast<std::uint32_t>(text.size()));
    waiting.insert(waiting.end(), text.begin(), text.end());
    putCheck(waiting, checkOf(waiting.data(), waiting.data() + waiting.size(), nullptr, nullptr));
}

void Writer::addFrame(const Event* first, const Event* last) {
    unsigned context = kFrameStart + models.lastFrameStart;
    bool start = true;
    for (const Event* e = first; e != last; ++e) {
        std::int64_t steps = 0;
        const Symbol symbol = symbolOf(*e, stepTicks, steps);
        models.kind[context].encode(encoder, symbol);
        if (start) models.lastFrameStart = symbol;
        start = false;
        encodeEvent(encoder, models, *e, symbol, steps);
        context = symbol;
    }
    models.kind[context].encode(encoder, End);
    if (start) models.lastFrameStart = End;
    ++frames;
}

std::vector<std::uint8_t> Writer::take() {
    std::vector<std::uint8_t> out;
    out.swap(waiting);
    if (frames == 0) return out;
    const std::vector<std::uint8_t> payload = encoder.finish();
    const std::size_t start = out.size();
    putVarint(out, static_cast<std::uint32_t>(payload.size()));
    putVarint(out, static_cast<std::uint32_t>(frames));
    putCheck(out, checkOf(out.data() + start, out.data() + out.size(), payload.data(),
                          payload.data() + payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    frames = 0;
    return out;
}

// The clock's step the times were taken at: the largest that divides every whole-tick time.
int stepOf(const Script::Script& recording) {
    int step = 0;
    for (const Event& e : recording.events) {
        int ticks = 0;
        if (e.kind == Kind::Delta && Script::wholeTicks(e.seconds, ticks))
            step = std::gcd(step, ticks);
    }
    return std::max(step, 1);
}

std::vector<std::uint8_t> encode(const Script::Script& recording) {
    Writer writer(recording.look, recording.scene, stepOf(recording));
    std::vector<std::uint8_t> out;
    for (int frame = 1; frame <= recording.lastFrame; ++frame) {
        const Script::Frame events = recording.at(frame);
        writer.addFrame(events.begin(), events.end());
        if (writer.framesWaiting() == kFramesPerChunk) {
            const std::vector<std::uint8_t> chunk = writer.take();
            out.insert(out.end(), chunk.begin(), chunk.end());
        }
    }
    const std::vector<std::uint8_t> rest = writer.take();
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

Script::Script decode(const std::string& bytes, const std::string& name) {
    return Reader(bytes, name).run();
}

}  // namespace CompactRecording
