// SaidaMIDI against a recording stand-in of the MIDI library.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "midi/saida_midi.h"
#include "platform/files/files.h"

namespace fs = std::filesystem;

namespace {

const fs::path kStandIns = MIDI_STANDIN_DIR;

// Holds the stand-in loaded for the test, so its journal outlives the
// SaidaMIDI under test (the same file loads as the same library).
class StandIn {
public:
    explicit StandIn(int devices, std::vector<int> opens) {
        handle_ = dlopen((kStandIns / "standin/libMxMidi32.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) throw std::runtime_error(dlerror());
        auto configure = reinterpret_cast<void (*)(int, const int*, int)>(dlsym(handle_, "StandInConfigure"));
        configure(devices, opens.data(), static_cast<int>(opens.size()));
    }
    ~StandIn() { dlclose(handle_); }
    std::string journal() const {
        return reinterpret_cast<const char* (*)()>(dlsym(handle_, "StandInJournal"))();
    }

private:
    void* handle_ = nullptr;
};

const fs::path kStandInDir = kStandIns / "standin";

}  // namespace

TEST(SaidaMIDI, SendsInstrumentThenResetAndNoteOnPerStringAndClosesCleanly) {
    StandIn standIn(0, {-1});
    {
        SaidaMIDI saida(kStandInDir);
        EXPECT_TRUE(saida.estaAberta());
        EXPECT_EQ(saida.obterDispositivo(), -1);
        saida.selecionarInstrumento(0, 24);
        saida.selecionarInstrumento(16, 24);  // would read as a program change on channel 0
        saida.selecionarInstrumento(0, 128);
        for (uint8_t nota : {40, 45, 45}) {  // two clicks on one string restart it
            saida.silenciar();
            saida.enviarMensagem(0x90, nota, 127);
        }
    }
    EXPECT_EQ(standIn.journal(),
              "count\n"
              "open 65535 buffer 78624\n"
              "put c0 1b 00 time 0 spare 0\n"
              "put b0 00 00 time 0 spare 0\n"
              "put c0 18 00 time 0 spare 0\n"
              "reset\n"
              "put 90 28 7f time 0 spare 0\n"
              "reset\n"
              "put 90 2d 7f time 0 spare 0\n"
              "reset\n"
              "put 90 2d 7f time 0 spare 0\n"
              "flush\n"
              "reset\n"
              "close\n");
}

struct OpeningCase {
    const char* name;
    int devices;
    std::vector<int> opens;
    int expectedDevice;
    const char* expectedJournal;
};

void PrintTo(const OpeningCase& c, std::ostream* os) { *os << c.name; }

class SaidaMIDIOpening : public testing::TestWithParam<OpeningCase> {};

TEST_P(SaidaMIDIOpening, TriesMapperThenDevicesInOrderAndStaysSilentWhenNoneOpens) {
    const OpeningCase& c = GetParam();
    StandIn standIn(c.devices, c.opens);
    {
        SaidaMIDI saida(kStandInDir);
        EXPECT_EQ(saida.obterDispositivo(), c.expectedDevice);
        saida.selecionarInstrumento(0, 24);
        saida.silenciar();
        saida.enviarMensagem(0x90, 40, 127);
    }
    EXPECT_EQ(standIn.journal(), c.expectedJournal);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, SaidaMIDIOpening,
    testing::Values(
        OpeningCase{"MapperRefusesSecondDeviceOpens", 3, {1}, 1,
                    "count\nopen 65535 buffer 78624\nopen 0 buffer 78624\nopen 1 buffer 78624\n"
                    "put c0 1b 00 time 0 spare 0\nput b0 00 00 time 0 spare 0\nput c0 18 00 time 0 spare 0\n"
                    "reset\nput 90 28 7f time 0 spare 0\nflush\nreset\nclose\n"},
        OpeningCase{"MapperPreferredOverDevices", 2, {-1, 0, 1}, -1,
                    "count\nopen 65535 buffer 78624\n"
                    "put c0 1b 00 time 0 spare 0\nput b0 00 00 time 0 spare 0\nput c0 18 00 time 0 spare 0\n"
                    "reset\nput 90 28 7f time 0 spare 0\nflush\nreset\nclose\n"},
        OpeningCase{"AllRefuse", 2, {}, 1,
                    "count\nopen 65535 buffer 78624\nopen 0 buffer 78624\nopen 1 buffer 78624\n"},
        OpeningCase{"NoDevicesAndNoMapper", 0, {}, -1, "count\nopen 65535 buffer 78624\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LoadFailure {
    const char* name;
    fs::path location;
    const char* message;
};

void PrintTo(const LoadFailure& c, std::ostream* os) { *os << c.name; }

class SaidaMIDILoading : public testing::TestWithParam<LoadFailure> {};

TEST_P(SaidaMIDILoading, RaisesWithExactTextAndReleasesTheLibrary) {
    const LoadFailure& c = GetParam();
    try {
        SaidaMIDI saida(c.location);
        FAIL() << "no exception";
    } catch (const EMaxMidiException& e) {
        EXPECT_STREQ(e.className(), "EMaxMidiException");
        EXPECT_EQ(e.message(), c.message);
    }
    const fs::path file = TMaxMidi::libraryPath(c.location);
    EXPECT_EQ(dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "library still loaded";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SaidaMIDILoading,
    testing::Values(LoadFailure{"MissingFile", kStandIns / "no_such_folder", "Load of MxMidi32.dll failed"},
                    LoadFailure{"NotALibrary", kStandIns / "standin_corrupt", "Load of MxMidi32.dll failed"},
                    LoadFailure{"FirstEntryPointMissing", kStandIns / "standin_no_version",
                                "Failed to loadproc:GetMaxMidiVersion"},
                    LoadFailure{"LaterEntryPointMissing", kStandIns / "standin_no_flush",
                                "Failed to loadproc:FlushMidiOut"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaidaMIDI, LoadsTheLibraryFromTheApplicationFolderByDefault) {
    StandIn standIn(0, {-1});
    platform::files::ExecutablePathOverride app(kStandInDir / "quindral");
    SaidaMIDI saida;
    EXPECT_TRUE(saida.estaAberta());
    EXPECT_EQ(standIn.journal().substr(0, 6), "count\n");
}
