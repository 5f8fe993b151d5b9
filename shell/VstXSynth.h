#pragma once

#include "engine/EngineOwner.h"
#include "editor/EditorOwner.h"
#include "engine/Zarn.h"
#include "shell/AudioEffectX.h"
#include "shell/NoteQueue.h"
#include "shell/PadNoteRing.h"
#include "shell/StateChunk.h"

#include <array>
#include <atomic>
#include <cstdint>

class ADEditor;

// The instrument the entry points create: no inputs, two outputs, 64 programs of 22 parameters,
// its whole bank saved as one chunk, MIDI in and a controller echo out, and an editor window.
class VstXSynth : public AudioEffectX, public EngineOwner, public EditorOwner {
public:
    static constexpr VstInt32 kNumOutputs = 2;
    static constexpr uint8_t kFirstController = 39;
    static constexpr uint8_t kNoParameter = 0xFF;

    explicit VstXSynth(audioMasterCallback audioMaster);
    ~VstXSynth() override;

    // Decides from the host's vendor string whether the output takes the maker's host gain.
    void open() override;
    void suspend() override {}
    // Re-rates the engine; a rate that is not finite or not positive is ignored.
    void setSampleRate(float rate) override;
    void setBlockSize(VstInt32 size) override { blockSize = size; }

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    // Adds the block into the buffers instead of replacing them.
    virtual void processAccumulating(float** inputs, float** outputs, VstInt32 sampleFrames);

    // The parameter road, from the host, MIDI controllers and program loads: indices outside
    // 0 to 21 and values that are not finite change nothing. Either thread.
    void setParameter(VstInt32 index, float value) override;
    // 0 for indices outside 0 to 21.
    float getParameter(VstInt32 index) override;
    // The editor's road: the parameter road, then automation and a controller echo to the host.
    void setParameterAutomated(VstInt32 index, float value) override;

    // Selects and reloads program 0 to 63; other numbers change nothing. Either thread (MIDI
    // program changes arrive on the audio thread).
    void setProgram(VstInt32 program) override;
    VstInt32 getProgram() override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;

    // The whole bank, whatever isPreset says; the buffer lives until the next call.
    VstInt32 getChunk(void** data, bool isPreset) override;
    // Takes a chunk that getChunk made; anything else answers 0 and changes nothing.
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    VstInt32 processEvents(VstEvents* events) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return 1; }
    VstInt32 canDo(char* text) override;
    // Copies the current program over program destination (0 to 63).
    virtual bool copyProgram(VstInt32 destination);

    // The tap pad's notes, from the user-interface thread: they take effect at the start of the
    // next rendered block, in order, with velocity 100. False when 256 are already waiting
    // (the host has stopped rendering).
    bool queueNoteEvent(uint8_t status, uint8_t note, int32_t deltaFrames) override;

    bool isNativeHost() const override { return nativeHost.load(std::memory_order_relaxed); }
    Zarn& getEngine() override { return engine; }
    // The editor's requests to the host; a begin edit asks for the time first (see its definition).
    bool beginEdit(VstInt32 index) override;
    bool endEdit(VstInt32 index) override { return AudioEffectX::endEdit(index); }
    bool sizeWindow(VstInt32 width, VstInt32 height) override { return AudioEffectX::sizeWindow(width, height); }

private:
    // Renders the block in slices so that every queued note event acts on its own frame.
    void renderBlock(float** inputs, float** outputs, VstInt32 frames, bool replacing);
    void applyNoteEvent(const NoteEvent& event);
    void handleMidi(const VstMidiEvent& event);
    SynthProgram& currentProgram() { return programs[getProgram()]; }
    ADEditor* adEditor() const;

    Zarn engine;
    SynthProgram* programs;
    NoteQueue noteQueue;
    PadNoteRing padNotes;
    std::atomic<bool> nativeHost{false};
    std::array<uint8_t, kNumParams> paramToCC{};
    std::array<uint8_t, 128> ccToParam{};
    VstMidiEvent midiOutEvent{};
    VstEvents midiOutEvents{};
    StateChunk chunk{};
};
