#pragma once

#include "shell/AudioEffectX.h"

#include <sstream>
#include <string>

// Only processReplacing is supplied: every other answer is the base classes' own. The canDo
// answer for "receiveVstMidiEvent" is settable.
class PlainEffect : public AudioEffectX {
public:
    static inline int destroyed = 0;
    VstInt32 midiAnswer = 0;

    explicit PlainEffect(audioMasterCallback master = nullptr, VstInt32 programs = 1, VstInt32 params = 1)
        : AudioEffectX(master, programs, params) {}
    ~PlainEffect() override { ++destroyed; }
    void processReplacing(float**, float**, VstInt32) override {}
    VstInt32 canDo(char* text) override { return std::string(text) == "receiveVstMidiEvent" ? midiAnswer : 0; }
};

// Every operation logs "name(args);" and returns a fixed answer, so a test sees what each opcode
// reaches, with which arguments, and whether the answer comes back unchanged.
struct CallLog {
    std::string log;
    template <typename R, typename... Args>
    R note(R answer, const char* name, const Args&... args) {
        std::ostringstream line;
        [[maybe_unused]] const char* separator = "";
        line << name << '(';
        ((line << separator << args, separator = ","), ...);
        log += line.str() + ");";
        return answer;
    }
};

class ProbeEditor : public AEffEditor, public CallLog {
public:
    bool answer = true;
    ERect rect{0, 0, 300, 717};

    bool getRect(ERect** r) override { *r = &rect; return note(answer, "getRect"); }
    bool open(void* parent) override { return note(answer, "open", parent != nullptr); }
    void close() override { note(0, "close"); }
    void idle() override { note(0, "idle"); }
    bool setKnobMode(VstInt32 mode) override { return note(answer, "setKnobMode", mode); }
    bool onKeyDown(VstKeyCode& k) override { return note(answer, "keyDown", k.character, +k.virt, +k.modifier); }
    bool onKeyUp(VstKeyCode& k) override { return note(answer, "keyUp", k.character, +k.virt, +k.modifier); }
};

class ProbeEffect : public AudioEffectX, public CallLog {
public:
    static constexpr VstInt32 kAnswer = -5; // every int32 operation answers this (sign must survive)
    using AudioEffect::setEditor;

    ProbeEffect() : AudioEffectX(nullptr, 64, 22) {}
    void processReplacing(float**, float**, VstInt32) override {}
    void open() override { note(0, "open"); }
    void close() override { note(0, "close"); }
    void suspend() override { note(0, "suspend"); }
    void resume() override { note(0, "resume"); }
    void setSampleRate(float rate) override { note(0, "setSampleRate", rate); }
    void setBlockSize(VstInt32 size) override { note(0, "setBlockSize", size); }
    VstInt32 getProgram() override { return note(kAnswer, "getProgram"); }
    void setProgram(VstInt32 program) override { note(0, "setProgram", program); }
    void setProgramName(char* name) override { note(0, "setProgramName", name); }
    void getProgramName(char* name) override { *name = 'x'; note(0, "getProgramName"); }
    void getParameterLabel(VstInt32 i, char* t) override { *t = 'x'; note(0, "getParameterLabel", i); }
    void getParameterDisplay(VstInt32 i, char* t) override { *t = 'x'; note(0, "getParameterDisplay", i); }
    void getParameterName(VstInt32 i, char* t) override { *t = 'x'; note(0, "getParameterName", i); }
    VstInt32 getChunk(void** data, bool preset) override { *data = nullptr; return note(kAnswer, "getChunk", preset); }
    VstInt32 setChunk(void*, VstInt32 size, bool preset) override { return note(kAnswer, "setChunk", size, preset); }
    VstInt32 processEvents(VstEvents*) override { return note(kAnswer, "processEvents"); }
    bool canParameterBeAutomated(VstInt32 i) override { return note(true, "canParameterBeAutomated", i); }
    bool string2parameter(VstInt32 i, char*) override { return note(true, "string2parameter", i); }
    bool getProgramNameIndexed(VstInt32 c, VstInt32 i, char*) override { return note(true, "getProgramNameIndexed", c, i); }
    bool getInputProperties(VstInt32 i, VstPinProperties*) override { return note(true, "getInputProperties", i); }
    bool getOutputProperties(VstInt32 i, VstPinProperties*) override { return note(true, "getOutputProperties", i); }
    VstPlugCategory getPlugCategory() override { return note(kPlugCategSynth, "getPlugCategory"); }
    bool offlineNotify(VstAudioFile*, VstInt32 n, bool start) override { return note(true, "offlineNotify", n, start); }
    bool offlinePrepare(VstOfflineTask*, VstInt32 n) override { return note(true, "offlinePrepare", n); }
    bool offlineRun(VstOfflineTask*, VstInt32 n) override { return note(true, "offlineRun", n); }
    bool processVariableIo(VstVariableIo*) override { return note(true, "processVariableIo"); }
    bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) override { return note(true, "setSpeakerArrangement"); }
    bool setBypass(bool on) override { return note(true, "setBypass", on); }
    bool getEffectName(char*) override { return note(true, "getEffectName"); }
    bool getVendorString(char*) override { return note(true, "getVendorString"); }
    bool getProductString(char*) override { return note(true, "getProductString"); }
    VstInt32 getVendorVersion() override { return note(kAnswer, "getVendorVersion"); }
    VstIntPtr vendorSpecific(VstInt32 i, VstIntPtr v, void*, float opt) override { return note(VstIntPtr{1} << 40, "vendorSpecific", i, v, opt); }
    VstInt32 canDo(char* text) override { return note(kAnswer, "canDo", text); }
    VstInt32 getGetTailSize() override { return note(kAnswer, "getGetTailSize"); }
    bool getParameterProperties(VstInt32 i, VstParameterProperties*) override { return note(true, "getParameterProperties", i); }
    VstInt32 getVstVersion() override { return note(kAnswer, "getVstVersion"); }
    VstInt32 getMidiProgramName(VstInt32 c, MidiProgramName*) override { return note(kAnswer, "getMidiProgramName", c); }
    VstInt32 getCurrentMidiProgram(VstInt32 c, MidiProgramName*) override { return note(kAnswer, "getCurrentMidiProgram", c); }
    VstInt32 getMidiProgramCategory(VstInt32 c, MidiProgramCategory*) override { return note(kAnswer, "getMidiProgramCategory", c); }
    bool hasMidiProgramsChanged(VstInt32 c) override { return note(true, "hasMidiProgramsChanged", c); }
    bool getMidiKeyName(VstInt32 c, MidiKeyName*) override { return note(true, "getMidiKeyName", c); }
    bool beginSetProgram() override { return note(true, "beginSetProgram"); }
    bool endSetProgram() override { return note(true, "endSetProgram"); }
    VstInt32 getNextShellPlugin(char*) override { return note(kAnswer, "getNextShellPlugin"); }
    VstInt32 startProcess() override { return note(kAnswer, "startProcess"); }
    VstInt32 stopProcess() override { return note(kAnswer, "stopProcess"); }
    VstInt32 setTotalSampleToProcess(VstInt32 v) override { return note(kAnswer, "setTotalSampleToProcess", v); }
    bool setPanLaw(VstInt32 type, float v) override { return note(true, "setPanLaw", type, v); }
    VstInt32 beginLoadBank(VstPatchChunkInfo*) override { return note(kAnswer, "beginLoadBank"); }
    VstInt32 beginLoadProgram(VstPatchChunkInfo*) override { return note(kAnswer, "beginLoadProgram"); }
    bool setProcessPrecision(VstInt32 p) override { return note(true, "setProcessPrecision", p); }
    VstInt32 getNumMidiInputChannels() override { return note(kAnswer, "getNumMidiInputChannels"); }
    VstInt32 getNumMidiOutputChannels() override { return note(kAnswer, "getNumMidiOutputChannels"); }
};
