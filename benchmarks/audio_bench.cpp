// Music timing and cost, through the real port: the FluidSynth synthesiser on an offline sound device
// whose callback this program drives block by block on real time, with the sequencer's real playback
// and reference-clock threads.
//
//   timing: each note's onset in the rendered output against its ideal time (largest and 99th-percentile
//           error in ms, after taking out the constant latency)
//   cost:   CPU time of the audio callback per second of music for the busiest song (the game's own songs
//           when the build has made them, else a dense song of our own), and the sequencer threads' CPU

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "../tests/audio/midi_builder.h"
#include "audio/gene_music.h"
#include "audio/midi_parser.h"
#include "audio/sound_bank.h"
#include "platform/audio/sound_device.h"
#include "platform/core/clock.h"

namespace {

constexpr int kRate = platform::kDeviceRate;
constexpr int kBlock = platform::kDeviceBlockFrames;
constexpr double kLatencyMicros = kBlock * 1e6 / kRate + 4000;  // the port's latency clock lead

double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

// Run time in seconds of this process's threads with the given name.
double NamedThreadCpuSeconds(const std::string& name) {
    double total = 0;
    DIR* dir = opendir("/proc/self/task");
    if (!dir) return 0;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const std::string base = std::string("/proc/self/task/") + entry->d_name;
        std::ifstream comm(base + "/comm");
        std::string threadName;
        std::getline(comm, threadName);
        if (threadName != name) continue;
        std::ifstream stat(base + "/schedstat");
        double ns = 0;
        if (stat >> ns) total += ns * 1e-9;
    }
    closedir(dir);
    return total;
}

std::shared_ptr<platform::SoundDevice> StartMusic() {
    auto device = platform::SoundDevice::CreateOffline(kRate, kBlock);
    GameSoundBank.InitWithDevice(device);
    GeneMusic::SetMaxSongs(16);
    GeneMusic::Initialize(-2);
    GeneMusic::LoadCollection(nullptr);
    return device;
}

void StopMusic() {
    GeneMusic::Destroy();
    for (int i = 0; i < SoundBank::kSlotCount; ++i) GameSoundBank.FreeSlot(i);
}

// Drives the device's callback as a sound card would: block k is asked for at start + k periods.
class RealTimeDriver {
public:
    explicit RealTimeDriver(platform::SoundDevice& device)
        : device_(device), start_(std::chrono::steady_clock::now()) {}

    void RenderFor(double seconds, std::vector<float>* left) {
        std::vector<float> block(2 * kBlock);
        const auto blocks = static_cast<std::int64_t>(seconds * kRate / kBlock);
        for (std::int64_t i = 0; i < blocks; ++i, ++k_) {
            std::this_thread::sleep_until(
                start_ + std::chrono::nanoseconds(static_cast<std::int64_t>(k_ * kBlock * 1e9 / kRate)));
            const double before = ThreadCpuSeconds();
            device_.RenderOffline(block.data(), kBlock, platform::CurrentClock().Micros());
            callbackCpu_ += ThreadCpuSeconds() - before;
            if (left) {
                for (int f = 0; f < kBlock; ++f) left->push_back(block[2 * static_cast<std::size_t>(f)]);
            }
        }
    }
    // Platform time at which the output frame `frame` was asked for.
    double MicrosOfFrame(double frame) const { return originMicros_ + frame * 1e6 / kRate; }
    void MarkOrigin() { originMicros_ = static_cast<double>(platform::CurrentClock().Micros()); }
    double CallbackCpu() const { return callbackCpu_; }

private:
    platform::SoundDevice& device_;
    std::chrono::steady_clock::time_point start_;
    std::int64_t k_ = 0;
    double originMicros_ = 0;
    double callbackCpu_ = 0;
};

// Woodblock strokes at uneven spacing; all sound off shortly before each, so every onset rises from silence.
std::vector<std::uint8_t> TimingSong(std::vector<std::uint64_t>* noteTicks) {
    MidiTrack t;
    t.Tempo(0, 500000).Program(0, 0, 115).Control(0, 0, 91, 0).Control(0, 0, 93, 0).Control(0, 0, 7, 127);
    std::uint64_t last = 0;
    std::uint64_t onset = 0;
    for (int i = 0; i < 150; ++i) {
        onset += 100 + static_cast<std::uint64_t>((i * 97) % 151);  // 100 to 250 ticks apart
        t.Control(static_cast<std::uint32_t>(onset - 20 - last), 0, 120, 0);
        t.NoteOn(20, 0, 76, 127);
        t.NoteOff(30, 0, 76);
        last = onset + 30;
        noteTicks->push_back(onset);
    }
    t.End(480);
    return BuildMidiFile(480, {t});
}

void BM_MusicTimingAccuracy(benchmark::State& state) {
    for (auto _ : state) {
        auto device = StartMusic();
        std::vector<std::uint64_t> noteTicks;
        const auto song = TimingSong(&noteTicks);
        const std::int32_t slot = GeneMusic::LoadSongFromMemory(song.data(), song.size());
        RealTimeDriver driver(*device);
        std::vector<float> left;
        driver.MarkOrigin();
        driver.RenderFor(0.2, &left);
        const double playedAt = static_cast<double>(platform::CurrentClock().Micros());
        GeneMusic::Play(slot);
        const double songSeconds = static_cast<double>(noteTicks.back()) / 960.0 + 1.0;
        driver.RenderFor(songSeconds, &left);
        StopMusic();

        // Onsets: the first sample above a tenth of the loudest one, searched from before each ideal time.
        float peak = 0;
        for (float s : left) peak = std::max(peak, std::fabs(s));
        std::vector<double> errors;
        for (std::uint64_t tick : noteTicks) {
            const double idealMicros = playedAt + 100000 + static_cast<double>(tick) * 500000 / 480 + kLatencyMicros;
            const double idealFrame = (idealMicros - driver.MicrosOfFrame(0)) * kRate / 1e6;
            auto i = static_cast<std::size_t>(std::max(0.0, idealFrame - 0.02 * kRate));
            while (i < left.size() && std::fabs(left[i]) < 0.1f * peak) ++i;
            if (i >= left.size()) break;
            errors.push_back((static_cast<double>(i) - idealFrame) * 1000.0 / kRate);
        }
        std::vector<double> sorted = errors;
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
        std::vector<double> deviation;
        for (double e : errors) deviation.push_back(std::fabs(e - median));
        std::sort(deviation.begin(), deviation.end());
        if (std::getenv("KORVEX_BENCH_VERBOSE")) {
            for (double e : errors) std::fprintf(stderr, "%.2f ", e - median);
            std::fprintf(stderr, "\n");
        }
        const double largest = deviation.empty() ? 0 : deviation.back();
        const double p99 = deviation.empty()
                               ? 0
                               : deviation[std::min(deviation.size() - 1,
                                                    static_cast<std::size_t>(std::ceil(0.99 * deviation.size())) - 1)];
        state.SetIterationTime(songSeconds);
        state.counters["notes"] = static_cast<double>(errors.size());
        state.counters["err_max_ms"] = largest;
        state.counters["err_p99_ms"] = p99;
        state.counters["latency_ms"] = median;  // start delay and attack aside, what the port adds
    }
}
BENCHMARK(BM_MusicTimingAccuracy)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The game's songs if the build has generated them, else a dense song of 16 channels.
std::vector<std::vector<std::uint8_t>> CandidateSongs() {
    std::vector<std::vector<std::uint8_t>> songs;
    for (int i = 0; i < 12; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%s/m/track%02d.mid", KORVEX_DATA_DIR, i);
        std::ifstream in(name, std::ios::binary);
        if (in) songs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!songs.empty()) return songs;
    // 150 beats a minute: sixteenth-note hi-hats, kick and snare, eighth-note bass, three sustained chord
    // voices, a sixteenth-note lead and arpeggio; about 40 notes a second, with reverb and chorus.
    std::vector<MidiTrack> tracks(7);
    tracks[0].Tempo(0, 400000);
    const int programs[7] = {0, 33, 48, 49, 50, 81, 5};
    for (int c = 0; c < 7; ++c) {
        const int channel = c == 0 ? 9 : c - 1;
        MidiTrack& t = tracks[static_cast<std::size_t>(c)];
        t.Program(0, channel, programs[c]).Control(0, channel, 91, 60).Control(0, channel, 93, 30);
        const std::uint32_t step = c == 0 || c >= 5 ? 120 : (c == 1 ? 240 : 1920);
        std::uint32_t wait = 0;
        for (std::uint32_t tick = 0; tick < 480 * 64; tick += step) {
            int key;
            if (c == 0) {
                key = (tick % 960 == 0) ? 36 : (tick % 960 == 480 ? 38 : 42);
            } else if (c == 1) {
                key = 36 + static_cast<int>((tick / 1920) % 4) * 2;
            } else if (c <= 4) {
                key = 55 + (c - 2) * 4 + static_cast<int>((tick / 1920) % 3);
            } else {
                key = 60 + static_cast<int>((tick / step * (c == 5 ? 5 : 7)) % 19);
            }
            t.NoteOn(wait, channel, key, 96).NoteOff(step - 10, channel, key);
            wait = 10;
        }
        t.End();
    }
    songs.push_back(BuildMidiFile(480, tracks));
    return songs;
}

// Note-ons per second of music, to pick the busiest song.
double Density(const std::vector<std::uint8_t>& bytes) {
    MidiSong song;
    if (!ParseMidiFile(bytes.data(), bytes.size(), &song) || song.recordCount == 0) return 0;
    const auto ticks = MidiRecordTicks(song);
    int notes = 0;
    for (std::uint32_t i = 0; i < song.recordCount; ++i) notes += (song.records[i].b[0] & 0xF0) == 0x90 ? 1 : 0;
    const double beats = static_cast<double>(ticks.back()) / song.division;
    return beats > 0 ? notes / beats : 0;
}

void BM_MusicCost(benchmark::State& state) {
    const auto songs = CandidateSongs();
    std::size_t busiest = 0;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (Density(songs[i]) > Density(songs[busiest])) busiest = i;
    }
    for (auto _ : state) {
        auto device = StartMusic();
        const std::int32_t slot = GeneMusic::LoadSongFromMemory(songs[busiest].data(), songs[busiest].size());
        RealTimeDriver driver(*device);
        GeneMusic::Play(slot);
        driver.RenderFor(0.5, nullptr);
        const double sequencerBefore = NamedThreadCpuSeconds("korvex-music");
        const double clockBefore = NamedThreadCpuSeconds("korvex-refclock");
        const double callbackBefore = driver.CallbackCpu();
        constexpr double kSeconds = 20;
        driver.RenderFor(kSeconds, nullptr);
        const double callback = driver.CallbackCpu() - callbackBefore;
        const double sequencer = NamedThreadCpuSeconds("korvex-music") - sequencerBefore;
        const double clock = NamedThreadCpuSeconds("korvex-refclock") - clockBefore;
        StopMusic();
        state.SetIterationTime(kSeconds);
        state.counters["song"] = static_cast<double>(busiest);
        state.counters["callback_ms_per_s"] = callback * 1000 / kSeconds;
        state.counters["sequencer_cpu_pct"] = sequencer * 100 / kSeconds;
        state.counters["refclock_cpu_pct"] = clock * 100 / kSeconds;
    }
}
BENCHMARK(BM_MusicCost)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
