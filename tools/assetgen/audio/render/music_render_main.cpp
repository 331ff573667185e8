// korvex-music-render: plays the generated songs offline the way the game's sequencer loops them (the
// whole song, then a silent seek to the "L" marker with only the channel set-up restored, then the loop
// once more) through FluidSynth, and measures what a listener would notice: length, loop point, loudness,
// silent stretches, the level step at the loop join, and what the song costs the synthesiser: its active
// voices (average and peak; the game's port stops at 256) and the callback time per second of music.
// Optionally writes the renders as wave files.
//
//   korvex-music-render --data DIR [--soundfont FILE] [--wav DIR] [--only trackNN.mid] [--channels on]
//   korvex-music-render [--soundfont FILE] --patch-costs on   (the table tests/assets/music_voices_test.cpp uses)

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assetgen/audio/smf_reader.h"
#include "assetgen/audio/wave_file.h"

namespace fs = std::filesystem;
using assetgen::audio::SmfData;
using assetgen::audio::SmfEvent;

namespace {

constexpr int kRate = 44100;

struct Timed {
    double seconds;
    SmfEvent event;
};

// Seconds of every merged event, following the tempo events.
std::vector<Timed> Schedule(const SmfData& smf, std::int64_t from, std::int64_t to, double* secondsAtFrom,
                            double* secondsAtTo) {
    std::vector<Timed> out;
    double seconds = 0;
    std::int64_t tick = 0;
    double tempo = 500000;
    *secondsAtFrom = 0;
    bool fromSeen = from == 0;
    for (const SmfEvent& e : smf.Merged()) {
        seconds += (e.tick - tick) * tempo / 1e6 / smf.division;
        tick = e.tick;
        if (!fromSeen && tick >= from) {
            *secondsAtFrom = seconds - (tick - from) * tempo / 1e6 / smf.division;
            fromSeen = true;
        }
        if (e.status == 0xFF && e.data1 == 0x51) {
            const auto* t = reinterpret_cast<const unsigned char*>(e.text.data());
            tempo = (t[0] << 16) | (t[1] << 8) | t[2];
        }
        if (tick >= from && tick <= to) out.push_back({seconds, e});
    }
    *secondsAtTo = seconds + (to - tick) * tempo / 1e6 / smf.division;
    return out;
}

struct ChannelSetup {
    int program = 0, bank = 0, pan = 64, reverb = 0, chorus = 0, volume = 100;
};

class Renderer {
public:
    explicit Renderer(const std::string& soundfont) {
        settings_ = new_fluid_settings();
        fluid_settings_setnum(settings_, "synth.sample-rate", kRate);
        // The game's port plays at this gain, so the levels measured here are the levels heard.
        fluid_settings_setnum(settings_, "synth.gain", 0.4);
        // Room above the game's 256 voices, so that a song asking for more shows it instead of being cut.
        fluid_settings_setint(settings_, "synth.polyphony", 1024);
        synth_ = new_fluid_synth(settings_);
        if (fluid_synth_sfload(synth_, soundfont.c_str(), 1) < 0)
            std::fprintf(stderr, "cannot load %s\n", soundfont.c_str());
    }
    ~Renderer() {
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
    }

    void Send(const SmfEvent& e) {
        int ch = e.status & 0x0F;
        switch (e.status & 0xF0) {
            case 0x80:
                fluid_synth_noteoff(synth_, ch, e.data1);
                break;
            case 0x90:
                if (e.data2) {
                    fluid_synth_noteon(synth_, ch, e.data1, e.data2);
                } else {
                    fluid_synth_noteoff(synth_, ch, e.data1);
                }
                break;
            case 0xB0:
                fluid_synth_cc(synth_, ch, e.data1, e.data2);
                break;
            case 0xC0:
                fluid_synth_program_change(synth_, ch, e.data1);
                break;
            case 0xE0:
                fluid_synth_pitch_bend(synth_, ch, e.data1 | (e.data2 << 7));
                break;
            default:
                break;
        }
    }
    void Setup(const std::array<ChannelSetup, 16>& s) {
        for (int ch = 0; ch < 16; ++ch) {
            const ChannelSetup& c = s[static_cast<std::size_t>(ch)];
            fluid_synth_program_change(synth_, ch, c.program);
            fluid_synth_cc(synth_, ch, 0, c.bank);
            fluid_synth_cc(synth_, ch, 10, c.pan);
            fluid_synth_cc(synth_, ch, 91, c.reverb);
            fluid_synth_cc(synth_, ch, 93, c.chorus);
            fluid_synth_cc(synth_, ch, 7, c.volume);
        }
    }
    void RenderTo(std::size_t frame) {
        while (left_.size() < frame) {
            std::size_t n = std::min<std::size_t>(frame - left_.size(), 256);
            std::size_t at = left_.size();
            left_.resize(at + n);
            right_.resize(at + n);
            auto t0 = std::chrono::steady_clock::now();
            fluid_synth_write_float(synth_, static_cast<int>(n), left_.data() + at, 0, 1, right_.data() + at, 0, 1);
            busy_ += std::chrono::steady_clock::now() - t0;
            voices_.push_back({at + n, n, fluid_synth_get_active_voice_count(synth_)});
            CountByChannel(n);
        }
    }
    // Active voices after each block of at most 256 frames (about 6 ms), and the time spent rendering.
    struct VoiceCount {
        std::size_t end, frames;
        int voices;
    };
    const std::vector<VoiceCount>& Voices() const { return voices_; }
    // Voice-frames per channel, all of them and those whose key is already released (dying away).
    const std::array<double, 16>& ChannelVoiceFrames() const { return channelFrames_; }
    const std::array<double, 16>& ChannelReleasedFrames() const { return releasedFrames_; }
    double BusySeconds() const { return std::chrono::duration<double>(busy_).count(); }
    const std::vector<float>& Left() const { return left_; }
    const std::vector<float>& Right() const { return right_; }

private:
    void CountByChannel(std::size_t frames) {
        std::array<fluid_voice_t*, 1024> list{};
        fluid_synth_get_voicelist(synth_, list.data(), static_cast<int>(list.size()), -1);
        for (fluid_voice_t* v : list) {
            if (v == nullptr) break;
            if (!fluid_voice_is_playing(v)) continue;
            auto ch = static_cast<std::size_t>(fluid_voice_get_channel(v) & 15);
            channelFrames_[ch] += static_cast<double>(frames);
            if (!fluid_voice_is_on(v)) releasedFrames_[ch] += static_cast<double>(frames);
        }
    }

    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
    std::vector<float> left_, right_;
    std::vector<VoiceCount> voices_;
    std::array<double, 16> channelFrames_{}, releasedFrames_{};
    std::chrono::steady_clock::duration busy_{};
};

double Db(double power) { return power > 1e-20 ? 10.0 * std::log10(power) : -200.0; }

double Power(const Renderer& r, std::size_t a, std::size_t b) {
    b = std::min(b, r.Left().size());
    if (b <= a) return 0;
    double sum = 0;
    for (std::size_t i = a; i < b; ++i) sum += 0.5 * (r.Left()[i] * r.Left()[i] + r.Right()[i] * r.Right()[i]);
    return sum / static_cast<double>(b - a);
}

void Measure(const fs::path& file, const std::string& soundfont, const fs::path& wavDir, bool jingle, bool byChannel) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SmfData smf = assetgen::audio::ReadSmf(bytes);
    std::int64_t end = 0;
    for (const auto& t : smf.tracks) end = std::max(end, t.endTick);
    std::int64_t loop = smf.LoopTick();
    double loopSeconds = 0, endSeconds = 0;
    std::vector<Timed> all = Schedule(smf, 0, end, &loopSeconds, &endSeconds);
    Schedule(smf, loop, end, &loopSeconds, &endSeconds);

    Renderer r(soundfont);
    r.Setup({});
    for (const Timed& t : all) {
        r.RenderTo(static_cast<std::size_t>(t.seconds * kRate));
        r.Send(t.event);
    }
    std::size_t seam = static_cast<std::size_t>(endSeconds * kRate);
    r.RenderTo(seam);
    // The loop: defaults, a silent seek that only records the channel set-up, the set-up sent, then on.
    std::array<ChannelSetup, 16> setup{};
    for (const Timed& t : all) {
        if (t.event.tick >= loop) break;
        int ch = t.event.status & 0x0F;
        auto& c = setup[static_cast<std::size_t>(ch)];
        if ((t.event.status & 0xF0) == 0xC0) c.program = t.event.data1;
        if ((t.event.status & 0xF0) == 0xB0) {
            if (t.event.data1 == 0) c.bank = t.event.data2;
            if (t.event.data1 == 7) c.volume = t.event.data2;
            if (t.event.data1 == 10) c.pan = t.event.data2;
            if (t.event.data1 == 91) c.reverb = t.event.data2;
            if (t.event.data1 == 93) c.chorus = t.event.data2;
        }
    }
    r.Setup(setup);
    for (const Timed& t : all) {
        if (t.event.tick < loop) continue;
        r.RenderTo(seam + static_cast<std::size_t>((t.seconds - loopSeconds) * kRate));
        r.Send(t.event);
    }
    std::size_t finish = seam + static_cast<std::size_t>((endSeconds - loopSeconds) * kRate);
    r.RenderTo(finish + 2 * kRate);

    // Loudness: the looped part as it is heard for most of the time (the jingle: its sounding part).
    std::size_t a = jingle ? 0 : seam;
    std::size_t b = jingle ? static_cast<std::size_t>(loopSeconds * kRate) : finish;
    double rms = Db(Power(r, a, b));
    double peak = 0;
    for (std::size_t i = 0; i < r.Left().size(); ++i)
        peak = std::max({peak, double(std::fabs(r.Left()[i])), double(std::fabs(r.Right()[i]))});
    // Longest stretch of 100 ms windows quieter than -50 dBFS in the first pass (the jingle: before its marker).
    std::size_t window = kRate / 10;
    std::size_t limit = jingle ? static_cast<std::size_t>(loopSeconds * kRate) : seam;
    double longest = 0, run = 0;
    for (std::size_t i = 0; i + window <= limit; i += window) {
        run = Db(Power(r, i, i + window)) < -50 ? run + 0.1 : 0;
        longest = std::max(longest, run);
    }
    // The join: level over the half second before the seam and after it, and after the marker in the first pass.
    double before = Db(Power(r, seam - kRate / 2, seam));
    double after = Db(Power(r, seam, seam + kRate / 2));
    std::size_t l = static_cast<std::size_t>(loopSeconds * kRate);
    double firstTime = Db(Power(r, l, l + kRate / 2));
    double tail = jingle ? Db(Power(r, l + kRate, seam)) : 0;
    // Voices over the music as played (the first pass and the loop, not the final release tail).
    double voiceSum = 0;
    int voicePeak = 0;
    for (const auto& v : r.Voices()) {
        if (v.end > finish) break;
        voiceSum += static_cast<double>(v.voices) * static_cast<double>(v.frames);
        voicePeak = std::max(voicePeak, v.voices);
    }
    double cpu = 100.0 * r.BusySeconds() / (static_cast<double>(r.Left().size()) / kRate);
    std::printf(
        "%s: %6.1f s, loop at %5.1f s, loop body %6.1f s, RMS %6.1f dBFS, peak %5.1f dBFS, longest quiet %4.1f s,"
        " join %5.1f -> %5.1f dB (first time %5.1f), voices avg %5.1f peak %3d, synth %4.1f%% of a core%s\n",
        file.filename().c_str(), endSeconds, loopSeconds, endSeconds - loopSeconds, rms, Db(peak * peak), longest,
        before, after, firstTime, voiceSum / static_cast<double>(std::max<std::size_t>(1, finish)), voicePeak, cpu,
        jingle ? (" tail " + std::to_string(tail)).c_str() : "");
    if (byChannel) {
        // Which parts the voices go to: channel, average voices, of them already released.
        auto frames = static_cast<double>(r.Left().size());
        std::printf("  voices by channel:");
        for (std::size_t ch = 0; ch < 16; ++ch) {
            if (r.ChannelVoiceFrames()[ch] == 0) continue;
            std::printf(" %zu: %.1f (%.1f released)", ch, r.ChannelVoiceFrames()[ch] / frames,
                        r.ChannelReleasedFrames()[ch] / frames);
        }
        std::printf("\n");
    }
    if (!wavDir.empty()) {
        std::vector<std::int16_t> pcm;
        pcm.reserve(r.Left().size() * 2);
        for (std::size_t i = 0; i < r.Left().size(); ++i) {
            for (float s : {r.Left()[i], r.Right()[i]}) {
                pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)));
            }
        }
        fs::create_directories(wavDir);
        auto wav = assetgen::audio::EncodeWave(pcm, 2, kRate);
        std::ofstream out(wavDir / (file.stem().string() + ".wav"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    }
}

void MeasureSounds(const fs::path& dir) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.size() < 44) continue;
        std::size_t n = (bytes.size() - 46) / 2;
        double peak = 0, sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            auto s = static_cast<std::int16_t>(bytes[46 + 2 * i] | (bytes[47 + 2 * i] << 8));
            double v = s / 32768.0;
            peak = std::max(peak, std::fabs(v));
            sum += v * v;
        }
        std::printf("%-12s %5.0f ms, peak %5.1f dBFS, RMS %5.1f dBFS, first sample %d\n", f.filename().c_str(),
                    n * 1000.0 / kRate, Db(peak * peak), Db(sum / std::max<std::size_t>(1, n)),
                    static_cast<std::int16_t>(bytes[46] | (bytes[47] << 8)));
    }
}

// What each patch costs the synthesiser, as the table the voice-count test models the songs with: for every
// General MIDI program the voices one note starts and the seconds each keeps ringing after its key is
// released (both averaged over four keys and two note lengths), then the ring of every drum key of kit 0.
void PrintPatchCosts(const std::string& soundfont) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setint(settings, "synth.polyphony", 1024);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (fluid_synth_sfload(synth, soundfont.c_str(), 1) < 0)
        std::fprintf(stderr, "cannot load %s\n", soundfont.c_str());
    std::vector<float> l(64), r(64);
    auto note = [&](int channel, int key, double hold, int* voices) {
        fluid_synth_noteon(synth, channel, key, 100);
        *voices = fluid_synth_get_active_voice_count(synth);
        for (double t = 0; t < hold; t += 64.0 / kRate) {
            fluid_synth_write_float(synth, 64, l.data(), 0, 1, r.data(), 0, 1);
        }
        fluid_synth_noteoff(synth, channel, key);
        double voiceSeconds = 0;
        for (double t = 0; fluid_synth_get_active_voice_count(synth) > 0 && t < 60; t += 64.0 / kRate) {
            fluid_synth_write_float(synth, 64, l.data(), 0, 1, r.data(), 0, 1);
            voiceSeconds += fluid_synth_get_active_voice_count(synth) * 64.0 / kRate;
        }
        return *voices > 0 ? voiceSeconds / *voices : 0.0;
    };
    for (int program = 0; program < 128; ++program) {
        fluid_synth_program_change(synth, 0, program);
        double voicesPerNote = 0, ring = 0;
        for (int key : {43, 55, 67, 79}) {
            for (double hold : {0.1, 0.5}) {
                int voices = 0;
                ring += note(0, key, hold, &voices) / 8;
                voicesPerNote += voices / 8.0;
            }
        }
        std::printf("{%.1f, %.1f},%s", voicesPerNote, ring, program % 8 == 7 ? "\n" : " ");
    }
    for (int key = 35; key <= 81; ++key) {
        int voices = 0;
        std::printf("%.1f,%s", note(9, key, 0.1, &voices), (key - 35) % 12 == 11 ? "\n" : " ");
    }
    std::printf("\n");
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = "data";
    std::string soundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    std::string wav;
    std::string only;
    bool byChannel = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--data")) data = argv[i + 1];
        if (!std::strcmp(argv[i], "--soundfont")) soundfont = argv[i + 1];
        if (!std::strcmp(argv[i], "--wav")) wav = argv[i + 1];
        if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
        if (!std::strcmp(argv[i], "--channels")) byChannel = !std::strcmp(argv[i + 1], "on");
        if (!std::strcmp(argv[i], "--patch-costs") && !std::strcmp(argv[i + 1], "on")) {
            PrintPatchCosts(soundfont);
            return 0;
        }
    }
    for (int t = 0; t < 12; ++t) {
        char name[32];
        std::snprintf(name, sizeof name, "track%02d.mid", t);
        if (!only.empty() && only != name) continue;
        fs::path file = fs::path(data) / "m" / name;
        if (!fs::exists(file)) continue;
        try {
            Measure(file, soundfont, wav, t == 10, byChannel);
        } catch (const std::exception& e) {
            std::printf("%s: %s\n", name, e.what());
        }
    }
    if (fs::exists(fs::path(data) / "w")) MeasureSounds(fs::path(data) / "w");
    return 0;
}
