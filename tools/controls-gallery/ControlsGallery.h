#pragma once

#include "vstgui/CFrame.h"

#include <memory>

namespace gallery {

// Every custom control in one frame, in a state worth seeing: the value pop-up shown, a level
// meter part lit, LED switches, a multi-line text, a view under a drag with its highlight, a fine
// knob, a mouse forwarder and a curve. Painted by the offscreen back end.
class ControlsGallery {
public:
    static constexpr VSTGUI::CCoord kWidth = 610;
    static constexpr VSTGUI::CCoord kHeight = 220;

    ControlsGallery();
    ~ControlsGallery();
    ControlsGallery(const ControlsGallery&) = delete;
    ControlsGallery& operator=(const ControlsGallery&) = delete;

    // The painted frame; null when it could not be opened.
    VSTGUI::CFrame* getFrame() const { return frame; }
    bool writePng(const std::string& path) const;

private:
    struct Pieces;
    std::unique_ptr<Pieces> pieces;
    VSTGUI::CFrame* frame = nullptr;
};

} // namespace gallery
