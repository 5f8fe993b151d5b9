// The instrument as a host sees it through the built library: entry points, record, names,
// state, MIDI and the factory programs' sound. Opcodes, flags and offsets are written as the
// numbers a host uses.

#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"
#include "tools/host/Render.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <tuple>

namespace {

// Loads the built plug-in once per test suite, as a host does, and starts an instance per test.
class PluginTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        library = host::PluginLibrary::load(ZARN_PLUGIN_FILE, error).release();
        ASSERT_NE(library, nullptr) << error;
    }
    static void TearDownTestSuite() { delete library; }
    static std::unique_ptr<host::PluginInstance> create(host::Host& host) {
        return host::PluginInstance::create(library->entry(), host);
    }
    static inline host::PluginLibrary* library = nullptr;

    void SetUp() override {
        instance = create(host);
        ASSERT_NE(instance, nullptr);
        instance->start(44100.0f, 512);
    }

    static std::vector<uint8_t> chunk(host::PluginInstance& of, VstInt32 index = 0) {
        void* data = nullptr;
        const VstIntPtr size = of.dispatch(23, index, 0, &data); // effGetChunk
        return {static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size};
    }
    // The buffer starts full of 'x', so a text that is not written shows, and so does a byte
    // written after the text's NUL (a host may give no more than the nominal length plus one).
    static std::string text(host::PluginInstance& of, VstInt32 opcode, VstInt32 index = 0) {
        std::string buffer(127, 'x');
        of.dispatch(opcode, index, 0, buffer.data());
        const std::size_t length = std::strlen(buffer.c_str());
        EXPECT_TRUE(length + 1 >= buffer.size() || buffer[length + 1] == 'x') << "written past the NUL: " << opcode;
        return buffer.substr(0, length);
    }
    void setParameter(VstInt32 index, float value) { instance->effect()->setParameter(instance->effect(), index, value); }

    host::Host host;
    std::unique_ptr<host::PluginInstance> instance;
};

template <typename T>
T at(const void* base, std::size_t offset) {
    T value;
    std::memcpy(&value, static_cast<const char*>(base) + offset, sizeof value);
    return value;
}

// The record's fields at the offsets a 64-bit host reads them; a host that answers no version, or
// has no callback, gets no record.
TEST_F(PluginTest, BothEntriesCreateAnInstrumentRecord) {
    for (const char* name : {"VSTPluginMain", "Main"}) {
        SCOPED_TRACE(name);
        host::Host other;
        auto entry = reinterpret_cast<VstPluginMainProc>(library->symbol(name));
        ASSERT_NE(entry, nullptr);
        auto created = host::PluginInstance::create(entry, other);
        ASSERT_NE(created, nullptr);
        const AEffect* r = created->effect();
        static_assert(sizeof(void*) == 8);
        const int32_t words[][2] = {{0, 0x56737450},   {40, 64}, {44, 22}, {48, 0}, {52, 2}, {56, 0x131}, {80, 0},
                                    {112, 0x5A524E50}, {116, 1}}; // 'VstP', 'ZRNP' (the bytes "PNRZ")
        for (const auto& [offset, expected] : words)
            EXPECT_EQ(at<int32_t>(r, offset), expected) << "offset " << offset;
        EXPECT_TRUE(at<float>(r, 92) == 1.0f && at<void*>(r, 96) != nullptr);
        EXPECT_EQ(created->close(), 1);
        ASSERT_FALSE(other.callsWith(1).empty()); // audioMasterVersion, asked before a record exists
        EXPECT_FALSE(other.callsWith(1).front().hadEffect);
        EXPECT_EQ(entry(nullptr), nullptr);
    }
    host::Host old;
    old.versionAnswer = 0;
    EXPECT_EQ(create(old), nullptr);
}

// What the base classes answer for the operations the instrument leaves alone.
TEST_F(PluginTest, DefaultAnswers) {
    const std::pair<VstInt32, VstIntPtr> answers[] = {
        {58, 2400}, {22, 0x4E764566}, {35, 2}, {63, -1}, {26, 1}, {73, 77}, {9, 0}, {53, 0}, {69, 0}};
    for (const auto& [opcode, answer] : answers) // none of them reads its pointer
        EXPECT_EQ(instance->dispatch(opcode, 3, 77, nullptr), answer) << opcode;
    // A host's arrangement pointers are left as they are (effGetSpeakerArrangement).
    VstSpeakerArrangement *input = reinterpret_cast<VstSpeakerArrangement*>(0x10), *output = reinterpret_cast<VstSpeakerArrangement*>(0x20);
    EXPECT_EQ(instance->dispatch(69, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
    EXPECT_EQ(std::pair(reinterpret_cast<intptr_t>(input), reinterpret_cast<intptr_t>(output)), std::pair(intptr_t{0x10}, intptr_t{0x20}));
    // The deprecated accumulating process entry leaves the buffers as they are, a note waiting too.
    instance->sendMidi({{0, {0x90, 36, 100}}});
    std::vector<float> held(128, 0.25f);
    float* channels[2] = {held.data(), held.data() + 64};
    instance->effect()->process(instance->effect(), nullptr, channels, 64);
    EXPECT_EQ(held, std::vector<float>(128, 0.25f));

    // The editor's rectangle (effEditGetRect) at the Default size: top, left, bottom, right as
    // 16-bit fields at offsets 0, 2, 4 and 6.
    void* rect = nullptr;
    ASSERT_TRUE(instance->dispatch(13, 0, 0, &rect) == 1 && rect != nullptr);
    EXPECT_EQ((std::tuple{at<int16_t>(rect, 0), at<int16_t>(rect, 2), at<int16_t>(rect, 4), at<int16_t>(rect, 6)}),
              (std::tuple<int16_t, int16_t, int16_t, int16_t>{0, 0, 300, 717}));
}

TEST_F(PluginTest, NamesLabelsDisplayTextsAndCapabilities) {
    // 8 effGetParamName, 6 effGetParamLabel, 7 effGetParamDisplay, 45 effGetEffectName,
    // 48 effGetProductString, 47 effGetVendorString, 5 effGetProgramName, 29 effGetProgramNameIndexed.
    // A display is cut to 8 characters.
    setParameter(4, 12.5f);
    const std::tuple<VstInt32, VstInt32, const char*> texts[] = {
        {8, 0, "Pitch-Coarse"}, {8, 12, "Timbre-SelfFM"}, {8, 21, "Volume"}, {8, 22, ""}, {8, 23, ""}, {8, 24, ""},
        {8, -1, ""},            {8, 1000, ""},            {6, 0, "Unknown "}, {6, 23, "Unknown "}, {6, 24, "Unknown "},
        {7, 21, "0.655000"},    {7, 4, "12.50000"},              {7, 23, ""},        {7, -1, ""},         {7, 1 << 30, ""},
        {7, 22, ""},            {45, 0, "Zarn Pro"},      {48, 0, "Zarn Pro"}, {47, 0, "Halvane Audio"},
        {5, 0, "2012 QZ"},      {29, 63, "Night Pulse"}};
    for (const auto& [opcode, index, expected] : texts)
        EXPECT_EQ(text(*instance, opcode, index), expected) << opcode << " " << index;
    EXPECT_EQ(instance->dispatch(49), 1); // effGetVendorVersion

    for (const auto& [text, answer] : {std::pair{"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1},
                                       {"sendVstMidiEvent", -1}, {"receiveVstEvents ", -1}, {"ReceiveVstEvents", -1}, {"", -1}})
        EXPECT_EQ(instance->dispatch(51, 0, 0, std::string(text).data()), answer) << text; // effCanDo
    VstPinProperties pin{}; // effGetOutputProperties 34, effGetInputProperties 33
    EXPECT_EQ(instance->dispatch(34, 1, 0, &pin), 1);
    EXPECT_EQ(std::pair(std::string(pin.label), pin.flags), std::pair(std::string("Vstx 2"), 3)); // active, stereo
    EXPECT_EQ(std::tuple(instance->dispatch(34, 2, 0, &pin), instance->dispatch(34, -1, 0, &pin), instance->dispatch(33, 0, 0, &pin)),
              std::tuple(0, 0, 0));
}

TEST_F(PluginTest, ChunkLayoutRoundTripAndRefusal) {
    instance->dispatch(2, 0, 5);
    setParameter(0, 0.75f);
    std::vector<uint8_t> bytes = chunk(*instance);
    ASSERT_EQ(bytes.size(), 8232u);
    const int32_t header[10] = {22, 64, 5, 2, 15, -1, -2, 2200, 0, 0};
    EXPECT_EQ(std::memcmp(bytes.data(), header, sizeof header), 0);
    EXPECT_EQ(at<float>(bytes.data(), 40 + 128 * 5 + 32), 0.75f);
    EXPECT_EQ(chunk(*instance, 1), bytes); // a program request gets the whole bank

    // Another instance takes it whole; a name that fills its field is read without its NUL.
    std::memset(bytes.data() + 40 + 128 * 5, 'z', 32);
    host::Host otherHost;
    auto other = create(otherHost);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->dispatch(3), 0); // instances share nothing
    EXPECT_EQ(other->dispatch(24, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data()), 1); // effSetChunk
    EXPECT_EQ(chunk(*other), bytes);
    other->start(44100.0f, 512);
    EXPECT_EQ(host::render(*other, {{0, {0x90, 36, 100}}}, 2048, 512).left, host::render(*instance, {{0, {0x90, 36, 100}}}, 2048, 512).left)
        << "the engine plays the loaded values";
    EXPECT_EQ(std::tuple(other->dispatch(3), text(*other, 5), text(*other, 29, 5)), std::tuple(5, std::string(31, 'z'), std::string(31, 'z')));

    // A size beyond 32 bits never reaches the synth; closing one instance leaves the other working.
    EXPECT_EQ(other->dispatch(24, 0, (VstIntPtr{1} << 32) + 8232, bytes.data()), 0);
    EXPECT_EQ(chunk(*other), bytes);
    EXPECT_EQ(instance->close(), 1);
    other->dispatch(2, 0, 7);
    EXPECT_EQ(other->dispatch(3), 7);
}

// The nine factory programs played as the render tool plays them (note 36 at velocity 100 from
// frame 0, released after 0.25 s, over 1 s in blocks of 512) at 44.1 and 48 kHz: each is a kick
// within the clip bound, and its FNV-1a digest is as before. To change the sound on purpose, run
// with ZARN_PRINT_GOLDEN=1 and replace the table; say why in the commit message.
TEST_F(PluginTest, FactoryProgramDigestsAreUnchanged) {
    constexpr uint64_t kGolden[9][2] = {
        {18161336135946145935ull, 14724083763172490699ull}, {97938443263129669ull, 4749103635586185341ull},
        {4009699910821025166ull, 18224937598693908528ull},  {14560189164582019761ull, 9638364098277820205ull},
        {16472274514521893521ull, 10660755052694224509ull}, {14528046732767128644ull, 2100525247663676586ull},
        {2077647390139467455ull, 12938313730854166746ull},  {16199000091482351083ull, 1599484654023455607ull},
        {16660035613399686300ull, 14171799409376206467ull}};
    for (int32_t program = 0; program < 9; ++program) {
        for (float rate : {44100.0f, 48000.0f}) {
            host::Host player;
            auto played = create(player);
            ASSERT_NE(played, nullptr);
            played->start(rate, 4096);
            played->dispatch(2, 0, program);
            const auto release = static_cast<int64_t>(rate * 0.25f);
            const host::StereoBuffer out = host::render(*played, {{0, {0x90, 36, 100}}, {release, {0x80, 36, 0}}},
                                                        static_cast<int64_t>(rate), 512);
            EXPECT_TRUE(host::peakOf(out) > 0.25f && host::peakOf(out) <= 1.0f) << "program " << program;
            uint64_t hash = 0xCBF29CE484222325ull;
            for (std::size_t i = 0; i < out.left.size(); ++i)
                for (uint32_t bits : {std::bit_cast<uint32_t>(out.left[i]), std::bit_cast<uint32_t>(out.right[i])})
                    for (int byte = 0; byte < 4; ++byte)
                        hash = (hash ^ ((bits >> (8 * byte)) & 0xFF)) * 0x100000001B3ull;
            EXPECT_EQ(hash, kGolden[program][rate == 48000.0f]) << "program " << program << " at " << rate << " Hz";
            if (std::getenv("ZARN_PRINT_GOLDEN") != nullptr)
                std::printf("program %d at %g Hz: %lluull\n", program, double{rate}, static_cast<unsigned long long>(hash));
        }
    }
}

} // namespace
