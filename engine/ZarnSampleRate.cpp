#include "engine/Zarn.h"

#include <algorithm>
#include <cmath>

#include "engine/Resampler.h"
#include "engine/material/SoundMaterial.h"

namespace {

// Length of material of `length` samples at 44.1 kHz played at the whole-number rate.
int32_t lengthAtRate(int32_t intRate, int32_t length) {
    return static_cast<int32_t>(static_cast<uint32_t>(intRate) * static_cast<uint32_t>(length) / 44100u);
}

constexpr int32_t lengthAtHighestRate(int32_t length) {
    return static_cast<int32_t>(192000u * static_cast<uint32_t>(length) / 44100u);
}

static_assert(lengthAtHighestRate(kModel4ClickLength) <= Zarn::kAttackSample4Capacity);
static_assert(lengthAtHighestRate(kModel5ClickLength) <= Zarn::kAttackSample5Capacity);
static_assert(lengthAtHighestRate(kModel2ClickLength) <= Zarn::kAttackSample2Capacity);
static_assert(2 * lengthAtHighestRate(kModel1AttackFrames) <= Zarn::kAttackSample1Capacity);
static_assert(2 * lengthAtHighestRate(kModel0AttackFrames) <= Zarn::kAttackSample0Capacity);
static_assert(lengthAtHighestRate(kModel7AttackLength) <= Zarn::kAttackSample7Capacity);
static_assert(2 * lengthAtHighestRate(kModel6AttackFrames) <= Zarn::kAttackSample6Capacity);
static_assert(192000ull * kModel6AttackFrames < (1ull << 32), "n x N must stay below 2^32");

} // namespace

void Zarn::setSampleRate(double rate) {
    // A NaN or infinite rate would reach the length conversions below.
    if (!std::isfinite(rate))
        return;
    const double clamped = std::min(std::max(rate, kMinSampleRate), kMaxSampleRate);
    sampleRate = clamped;
    const auto intRate = static_cast<int32_t>(clamped);
    if (intRate == lastIntRate)
        return;
    lastIntRate = intRate;
    resampleAttackSamples(clamped, intRate);
}

void Zarn::resampleAttackSamples(double rate, int32_t intRate) {
    std::fill_n(attackSample4.get(), kAttackSample4Capacity, 0.0f);
    std::fill_n(attackSample5.get(), kAttackSample5Capacity, 0.0f);
    std::fill_n(attackSample1.get(), kAttackSample1Capacity, 0.0f);
    std::fill_n(attackSample0.get(), kAttackSample0Capacity, 0.0f);
    std::fill_n(attackSample2.get(), kAttackSample2Capacity, 0.0f);
    // attackSample6 and attackSample7 start zeroed and every rate overwrites them up to its length.

    const double ratio = 44100.0 / rate;

    attackSample4Length = lengthAtRate(intRate, kModel4ClickLength);
    resampleCubicScaled(model4ClickSource.data(), kModel4ClickSourceSize, attackSample4.get(), ratio,
                        attackSample4Length);

    attackSample5Length = lengthAtRate(intRate, kModel5ClickLength);
    resampleCubicScaled(kModel5Click, kModel5ClickLength, attackSample5.get(), ratio, attackSample5Length);

    attackSample1Length = lengthAtRate(intRate, kModel1AttackFrames);
    attackSample1Offset = lengthAtRate(intRate, 130);
    resampleCubicStereo(kModel1Attack, kModel1AttackFrames, attackSample1.get(), ratio, attackSample1Length);

    attackSample0Length = lengthAtRate(intRate, kModel0AttackFrames);
    attackSample0Offset = lengthAtRate(intRate, 264);
    resampleCubicStereo(kModel0Attack, kModel0AttackFrames, attackSample0.get(), ratio, attackSample0Length);

    attackSample2Length = lengthAtRate(intRate, kModel2ClickLength);
    resampleCubic(kModel2Click, kModel2ClickLength, attackSample2.get(), ratio, attackSample2Length);

    attackSample7Length = lengthAtRate(intRate, kModel7AttackLength);
    resampleCubic(kModel7Attack, kModel7AttackLength, attackSample7.get(), ratio, attackSample7Length);

    attackSample6Length = lengthAtRate(intRate, kModel6AttackFrames);
    resampleCubicStereo(kModel6Attack, kModel6AttackFrames, attackSample6.get(), ratio, attackSample6Length);
}
