#pragma once

#include "shell/AudioEffectX.h"

#include <string>

// An effect whose operations only log their calls, so tests see what each opcode reaches.
class ProbeEditor : public AEffEditor {
public:
    std::string log;
    bool answer = true;
    ERect rect{0, 0, 300, 717};

    bool getRect(ERect** r) override { *r = &rect; log += "getRect;"; return answer; }
    bool open(void* parent) override { log += parent ? "open(window);" : "open(null);"; return answer; }
    void close() override { log += "close;"; }
    void idle() override { log += "idle;"; }
    bool setKnobMode(VstInt32 mode) override { log.append("setKnobMode(").append(std::to_string(mode)).append(");"); return answer; }
    bool onKeyDown(VstKeyCode& k) override { log.append("keyDown").append(describe(k)); return answer; }
    bool onKeyUp(VstKeyCode& k) override { log.append("keyUp").append(describe(k)); return answer; }

private:
    static std::string describe(const VstKeyCode& k) {
        return std::string("(").append(std::to_string(k.character)).append(",").append(std::to_string(k.virt)).append(",").append(std::to_string(k.modifier)).append(");");
    }
};

class ProbeEffect : public AudioEffectX {
public:
    std::string log;
    static constexpr VstInt32 kAnswer = -5; // every int32 operation answers this (sign must survive)

    explicit ProbeEffect(audioMasterCallback master = nullptr) : AudioEffectX(master, 64, 22) {}
    using AudioEffect::setEditor;

    void processReplacing(float**, float**, VstInt32) override {}
    void open() override { note("open"); }
    void close() override { note("close"); }
    void suspend() override { note("suspend"); }
    void resume() override { note("resume"); }
    void setSampleRate(float rate) override { note("setSampleRate", std::to_string(rate)); }
    void setBlockSize(VstInt32 size) override { note("setBlockSize", std::to_string(size)); }
    VstInt32 getProgram() override { note("getProgram"); return kAnswer; }
    void setProgram(VstInt32 program) override { note("setProgram", std::to_string(program)); }
    void setProgramName(char* name) override { note("setProgramName", name); }
    void getProgramName(char* name) override { note("getProgramName"); *name = 'x'; }
    void getParameterLabel(VstInt32 i, char* t) override { note("getParameterLabel", std::to_string(i)); *t = 'x'; }
    void getParameterDisplay(VstInt32 i, char* t) override { note("getParameterDisplay", std::to_string(i)); *t = 'x'; }
    void getParameterName(VstInt32 i, char* t) override { note("getParameterName", std::to_string(i)); *t = 'x'; }
    VstInt32 getChunk(void** data, bool preset) override { *data = nullptr; note("getChunk", preset ? "preset" : "bank"); return kAnswer; }
    VstInt32 setChunk(void*, VstInt32 size, bool preset) override {
        note("setChunk", std::to_string(size) + (preset ? ",preset" : ",bank"));
        return kAnswer;
    }

    VstInt32 processEvents(VstEvents*) override { note("processEvents"); return kAnswer; }
    bool canParameterBeAutomated(VstInt32 i) override { note("canParameterBeAutomated", std::to_string(i)); return true; }
    bool string2parameter(VstInt32 i, char*) override { note("string2parameter", std::to_string(i)); return true; }
    bool getProgramNameIndexed(VstInt32 c, VstInt32 i, char*) override {
        note("getProgramNameIndexed", std::to_string(c) + "," + std::to_string(i));
        return true;
    }
    bool getInputProperties(VstInt32 i, VstPinProperties*) override { note("getInputProperties", std::to_string(i)); return true; }
    bool getOutputProperties(VstInt32 i, VstPinProperties*) override { note("getOutputProperties", std::to_string(i)); return true; }
    VstPlugCategory getPlugCategory() override { note("getPlugCategory"); return kPlugCategSynth; }
    bool offlineNotify(VstAudioFile*, VstInt32 n, bool start) override {
        note("offlineNotify", std::to_string(n) + (start ? ",start" : ",stop"));
        return true;
    }
    bool offlinePrepare(VstOfflineTask*, VstInt32 n) override { note("offlinePrepare", std::to_string(n)); return true; }
    bool offlineRun(VstOfflineTask*, VstInt32 n) override { note("offlineRun", std::to_string(n)); return true; }
    bool processVariableIo(VstVariableIo*) override { note("processVariableIo"); return true; }
    bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) override { note("setSpeakerArrangement"); return true; }
    bool setBypass(bool on) override { note("setBypass", on ? "on" : "off"); return true; }
    bool getEffectName(char*) override { note("getEffectName"); return true; }
    bool getVendorString(char*) override { note("getVendorString"); return true; }
    bool getProductString(char*) override { note("getProductString"); return true; }
    VstInt32 getVendorVersion() override { note("getVendorVersion"); return kAnswer; }
    VstIntPtr vendorSpecific(VstInt32 i, VstIntPtr v, void*, float opt) override {
        note("vendorSpecific", std::to_string(i) + "," + std::to_string(v) + "," + std::to_string(opt));
        return VstIntPtr{1} << 40;
    }
    VstInt32 canDo(char* text) override { note("canDo", text); return kAnswer; }
    VstInt32 getGetTailSize() override { note("getGetTailSize"); return kAnswer; }
    bool getParameterProperties(VstInt32 i, VstParameterProperties*) override { note("getParameterProperties", std::to_string(i)); return true; }
    VstInt32 getVstVersion() override { note("getVstVersion"); return kAnswer; }
    VstInt32 getMidiProgramName(VstInt32 c, MidiProgramName*) override { note("getMidiProgramName", std::to_string(c)); return kAnswer; }
    VstInt32 getCurrentMidiProgram(VstInt32 c, MidiProgramName*) override { note("getCurrentMidiProgram", std::to_string(c)); return kAnswer; }
    VstInt32 getMidiProgramCategory(VstInt32 c, MidiProgramCategory*) override { note("getMidiProgramCategory", std::to_string(c)); return kAnswer; }
    bool hasMidiProgramsChanged(VstInt32 c) override { note("hasMidiProgramsChanged", std::to_string(c)); return true; }
    bool getMidiKeyName(VstInt32 c, MidiKeyName*) override { note("getMidiKeyName", std::to_string(c)); return true; }
    bool beginSetProgram() override { note("beginSetProgram"); return true; }
    bool endSetProgram() override { note("endSetProgram"); return true; }
    VstInt32 getNextShellPlugin(char*) override { note("getNextShellPlugin"); return kAnswer; }
    VstInt32 startProcess() override { note("startProcess"); return kAnswer; }
    VstInt32 stopProcess() override { note("stopProcess"); return kAnswer; }
    VstInt32 setTotalSampleToProcess(VstInt32 v) override { note("setTotalSampleToProcess", std::to_string(v)); return kAnswer; }
    bool setPanLaw(VstInt32 type, float v) override { note("setPanLaw", std::to_string(type) + "," + std::to_string(v)); return true; }
    VstInt32 beginLoadBank(VstPatchChunkInfo*) override { note("beginLoadBank"); return kAnswer; }
    VstInt32 beginLoadProgram(VstPatchChunkInfo*) override { note("beginLoadProgram"); return kAnswer; }
    bool setProcessPrecision(VstInt32 p) override { note("setProcessPrecision", std::to_string(p)); return true; }
    VstInt32 getNumMidiInputChannels() override { note("getNumMidiInputChannels"); return kAnswer; }
    VstInt32 getNumMidiOutputChannels() override { note("getNumMidiOutputChannels"); return kAnswer; }

private:
    void note(const std::string& name, const std::string& args = "") { log += name + "(" + args + ");"; }
};
