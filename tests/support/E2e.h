// End-to-end test support: each Session is a fresh Xvfb display, a private
// copy of the Wine prefix and a private copy of the installation folder, so
// tests never see each other's state. brova runs in a Wine desktop that
// fills the display, as on a Windows machine.
#pragma once
#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct RunResult {
  int status = -1;
  std::string out;
};

// A top-level or child window as winctl reports it.
struct WindowInfo {
  std::string handle;
  std::string cls;
  std::string text;
  int left = 0, top = 0, right = 0, bottom = 0;
  bool visible = false;
  bool enabled = false;
  bool topmost = false;
  int id = 0;
  unsigned long pid = 0;
  unsigned long style = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  int centerX() const { return (left + right) / 2; }
  int centerY() const { return (top + bottom) / 2; }
};

struct MenuItem {
  int position;
  unsigned id;
  std::string state;  // enabled, disabled, separator, popup
  std::string text;
};

// An RGB picture, rows top-down, 3 bytes a pixel.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  bool empty() const { return width == 0; }
  const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
  int gray(int x, int y) const {
    const unsigned char* p = at(x, y);
    return (p[0] * 30 + p[1] * 59 + p[2] * 11) / 100;
  }
};
class Session {
 public:
  struct Options {
    int width = 1280;
    int height = 800;
    bool desktop = true;  // run inside a Wine desktop of the display's size
    // Monitors side by side ("1920x1080", "1280x800"): a nested Xephyr
    // display with these screens joined by Xinerama, inside an Xvfb of
    // width x height, with Wine told to take its monitors from Xinerama.
    // Use with desktop = false.
    std::vector<std::string> monitors;
  };
  Session();
  explicit Session(Options options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Linux path of this session's installation folder (a copy of the stage).
  const std::string& appDir() const { return appDir_; }
  const std::string& workDir() const { return workDir_; }
  std::string display() const { return ":" + std::to_string(displayNumber_); }
  // The Windows form of a Linux path (through drive Z:).
  static std::string WinPath(const std::string& linuxPath);

  // An environment variable for every program started from now on (Start,
  // Shell, Winctl); Wine passes it on to the Windows programs.
  void SetEnv(const std::string& name, const std::string& value);

  // Starts a program of the installation folder in the background.
  pid_t Start(const std::string& exe, const std::vector<std::string>& args = {});
  pid_t StartBrova() { return Start("brova.exe"); }
  // True while the process started by Start runs; records its exit code.
  bool Running(pid_t pid);
  int ExitCode(pid_t pid) const;
  bool WaitForExit(pid_t pid, int timeoutMs = 20000);

  // A shell command with this session's DISPLAY, WINEPREFIX and locale.
  RunResult Shell(const std::string& command);
  // winctl.exe with the given arguments (already quoted as needed).
  RunResult Winctl(const std::string& args);
  // xdotool with the given arguments.
  void Xdotool(const std::string& args);

  std::optional<WindowInfo> Window(const std::string& titleOrHandle);
  std::vector<WindowInfo> Children(const std::string& titleOrHandle);
  std::optional<WindowInfo> Item(const std::string& titleOrHandle, int id);
  std::vector<WindowInfo> TopLevelWindows();
  int CountWindows(const std::string& title);
  std::vector<MenuItem> OpenMenu();
  // Waits until a visible top-level window with that title exists.
  std::optional<WindowInfo> WaitForWindow(const std::string& title, int timeoutMs = 20000);
  bool WaitForNoWindow(const std::string& title, int timeoutMs = 20000);

  bool Post(const std::string& window, unsigned msg, long wparam = 0, long lparam = 0);
  long Send(const std::string& window, unsigned msg, long wparam = 0, long lparam = 0);

  // Saves the whole display with ImageMagick; returns the file's path.
  std::string Screenshot(const std::string& name);
  // The display as it is now.
  Image Grab();
  // Keeps the screenshot where a person can look at it (build/screenshots).
  std::string KeepScreenshot(const std::string& name);

  // Polls cond every 100 ms until it holds or the time is up.
  static bool WaitUntil(const std::function<bool()>& cond, int timeoutMs = 20000);

 private:
  std::string EnvPrefix() const;
  void AddDesktopSettings();
  void StartMonitors();

  Options options_;
  std::string workDir_;
  std::string prefix_;
  std::string appDir_;
  int displayNumber_ = 0;
  pid_t xvfb_ = -1;
  pid_t xephyr_ = -1;
  std::map<std::string, std::string> env_;
  std::map<pid_t, int> exitCodes_;
  std::vector<pid_t> started_;
};

// Starts Wine's notepad and waits for its window.
std::optional<WindowInfo> StartNotepad(Session& s);

// Any picture ImageMagick reads (PNG, BMP...); empty when it cannot.
Image ReadImage(const std::string& path);

// Reads a whole file; empty when missing.
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& data);
std::vector<std::string> ListDir(const std::string& dir);
std::string ShellQuote(const std::string& s);

// How a message box's text is matched.
enum class TextMatch { kWhole, kStart, kPart };

// A visible message box of the program whose caption is title, with a text
// that matches; its whole text goes to shown. nullopt while there is none.
std::optional<WindowInfo> FindMessageBox(Session& s, const std::string& text, TextMatch match = TextMatch::kWhole,
                                         const std::string& title = "brova", std::string* shown = nullptr);
// The same, waited for up to timeoutMs.
std::optional<WindowInfo> WaitForMessageBox(Session& s, const std::string& text, TextMatch match = TextMatch::kWhole,
                                            int timeoutMs = 20000, const std::string& title = "brova",
                                            std::string* shown = nullptr);
// Clicks the OK button of a message box and waits until it has gone.
void CloseMessage(Session& s, const WindowInfo& box);
// Waits for a message box of brova whose text begins with start, closes it
// with OK and returns its whole text; "" when none came.
std::string TakeMessage(Session& s, const std::string& start);

// Sets the text of control id of a window, as WM_SETTEXT does.
void SetText(Session& s, const std::string& window, int id, const std::string& text);
// The rows of list view id of a window, columns joined by tabs; "*" before
// the selected row when markSelected.
std::vector<std::string> Rows(Session& s, const std::string& window, int id, bool markSelected = false);

}  // namespace e2e
