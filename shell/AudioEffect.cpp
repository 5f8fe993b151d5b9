#include "shell/AudioEffect.h"

#include "shell/TextCopy.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kHugeText[] = "Huge!";

// The value in at most 8 characters, sign and point counted, truncated and never rounded.
void formatEightCharacters(double value, char (&result)[16]) {
    const bool negative = value < 0.0;
    if (negative)
        value = -value;
    // NaN compares false everywhere; it would reach the digit conversions below.
    if (std::isnan(value) || (negative && value > 9999999.0) || (!negative && value > 99999999.0)) {
        std::memcpy(result, kHugeText, sizeof kHugeText);
        return;
    }

    char integerDigits[8]; // units digit first
    int digitCount = 0;
    double integer = std::floor(value);
    integerDigits[digitCount++] = static_cast<char>('0' + static_cast<int>(std::fmod(integer, 10.0)));
    int count = (negative ? 1 : 0) + 2; // sign, units digit and point
    integer = std::floor(integer / 10.0);
    while (integer >= 1.0 && count < 8) {
        integerDigits[digitCount++] = static_cast<char>('0' + static_cast<int>(std::fmod(integer, 10.0)));
        ++count;
        integer = std::floor(integer / 10.0);
    }

    int length = 0;
    if (negative)
        result[length++] = '-';
    while (digitCount > 0)
        result[length++] = integerDigits[--digitCount];
    result[length++] = '.';

    const int fractionDigits = 8 - count;
    double fraction = std::fmod(value, 1.0) * std::pow(10.0, static_cast<double>(fractionDigits));
    for (int i = fractionDigits - 1; i >= 0; --i) {
        result[length + i] =
            fraction <= 0.0 ? '0' : static_cast<char>('0' + static_cast<int>(std::fmod(fraction, 10.0)));
        fraction /= 10.0;
    }
    result[length + fractionDigits] = 0;
}

} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
    std::memset(&cEffect, 0, sizeof cEffect);
    cEffect.flags = effFlagsCanReplacing;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.processReplacing = processClassReplacing;
    cEffect.processDoubleReplacing = processClassDoubleReplacing;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.magic = kEffectMagic;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = vst2::fourCC("NoEf");
    cEffect.version = 1;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        // A value below the 32-bit range is no program number, though its low bits may look like
        // one; a negative within the range reaches the setter, which refuses it.
        if (value < numPrograms && value >= INT32_MIN)
            setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text != nullptr)
            setProgramName(text);
        return 0;
    case effGetProgramName:
        if (text != nullptr)
            getProgramName(text);
        return 0;
    case effGetParamLabel:
        if (text != nullptr)
            getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        if (text != nullptr)
            getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        if (text != nullptr)
            getParameterName(index, text);
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        return 0;
    case effEditGetRect:
        if (editor == nullptr || ptr == nullptr)
            return 0;
        return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        if (editor == nullptr)
            return 0;
        return editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (editor != nullptr)
            editor->close();
        return 0;
    case effEditIdle:
        if (editor != nullptr)
            editor->idle();
        return 0;
    case effIdentify:
        return vst2::fourCC("NvEf");
    case effGetChunk:
        if (ptr == nullptr)
            return 0;
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        // A size that does not fit the operation's 32-bit argument cannot be a state of ours.
        if (ptr == nullptr || value < 0 || value > INT32_MAX)
            return 0;
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    if (audioMaster != nullptr)
        audioMaster(&cEffect, audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion() {
    const VstIntPtr version = callHost(audioMasterVersion);
    return version == 0 ? 1 : static_cast<VstInt32>(version);
}

VstInt32 AudioEffect::getCurrentUniqueId() { return static_cast<VstInt32>(callHost(audioMasterCurrentId)); }

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffect::isInputConnected(VstInt32 input) { return callHost(audioMasterPinConnected, input, 0) == 0; }

bool AudioEffect::isOutputConnected(VstInt32 output) { return callHost(audioMasterPinConnected, output, 1) == 0; }

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
    if (value <= 0.0f)
        shell::copyText(text, "-oo", maxLen);
    else
        float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
    const float hertz = samples == 0.0f ? 0.0f : getSampleRate() / samples;
    float2string(hertz, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
    const double milliseconds = static_cast<double>(samples) * 1000.0 / static_cast<double>(getSampleRate());
    float2string(static_cast<float>(milliseconds), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) {
    char result[16];
    formatEightCharacters(static_cast<double>(value), result);
    shell::copyText(text, result, maxLen);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) {
    if (value >= 100000000) {
        shell::copyText(text, kHugeText, maxLen);
        return;
    }
    char result[16];
    int length = 0;
    // The magnitude in unsigned arithmetic, where that of the lowest value exists; digits above
    // the 10^8 place are not written.
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0) {
        result[length++] = '-';
        magnitude = 0u - magnitude;
    }
    bool leading = true;
    for (uint32_t place = 100000000; place >= 1; place /= 10) {
        const auto digit = static_cast<int>((magnitude / place) % 10);
        if (digit != 0 || !leading || place == 1) {
            result[length++] = static_cast<char>('0' + digit);
            leading = false;
        }
    }
    result[length] = 0;
    shell::copyText(text, result, maxLen);
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return audioMaster == nullptr ? 0 : audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

namespace {
AudioEffect* objectOf(AEffect* e) { return e == nullptr ? nullptr : static_cast<AudioEffect*>(e->object); }
} // namespace

VstIntPtr AudioEffect::dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                           void* ptr, float opt) {
    AudioEffect* effect = objectOf(e);
    if (effect == nullptr)
        return 0;
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void AudioEffect::processClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (AudioEffect* effect = objectOf(e))
        effect->process(inputs, outputs, sampleFrames);
}

void AudioEffect::setParameterClass(AEffect* e, VstInt32 index, float value) {
    if (AudioEffect* effect = objectOf(e))
        effect->setParameter(index, value);
}

float AudioEffect::getParameterClass(AEffect* e, VstInt32 index) {
    AudioEffect* effect = objectOf(e);
    return effect == nullptr ? 0.0f : effect->getParameter(index);
}

void AudioEffect::processClassReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (AudioEffect* effect = objectOf(e))
        effect->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                              VstInt32 sampleFrames) {
    if (AudioEffect* effect = objectOf(e))
        effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}
