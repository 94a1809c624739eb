// The three ways to capture, as the capture window, the hot keys and the
// result window's buttons ask for them; kNone where none is asked for (the
// result window closed without a new capture).
#pragma once

enum class CaptureChoice { kNone, kFullScreen, kWindow, kRegion };
