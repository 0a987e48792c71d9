#include "pad_input.h"

#include <SDL.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibrary>
#include <QScopedValueRollback>
#include <algorithm>
#include <array>
#include <utility>

#include "game/keys.h"
#include "game_window.h"

namespace quondra::qt {
namespace detail {

// The few SDL calls the pads need, taken from the library at run time: a
// player without a pad does not pay for SDL and all it links at start-up.
struct SdlCalls {
    decltype(&::SDL_SetHint) SetHint = nullptr;
    decltype(&::SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&::SDL_PollEvent) PollEvent = nullptr;
    decltype(&::SDL_GameControllerOpen) GameControllerOpen = nullptr;
    decltype(&::SDL_GameControllerClose) GameControllerClose = nullptr;
    decltype(&::SDL_GameControllerGetJoystick) GameControllerGetJoystick = nullptr;
    decltype(&::SDL_JoystickInstanceID) JoystickInstanceID = nullptr;
};

}  // namespace detail
namespace {

// Half the stick's travel holds a walking key; under three eighths lets it go.
constexpr int kStickHold = 16384;
constexpr int kStickLetGo = 12288;
// While a pad is connected SDL is read twice in every clock period, so a
// press reaches the game in the period it was made or the next.
constexpr int kPollIntervalMs = 8;
// After the device folder changes, SDL is read for two seconds: udev names a
// new pad and opens its node to the user a moment after the node appears.
constexpr int kSettleIntervalMs = 100;
constexpr int kSettlePolls = 20;
constexpr int kPadSlots = 2;
// libSDL2-2.0.so.0, the one a program linking SDL 2 would load.
constexpr const char* kSdlLibrary = "SDL2-2.0";
constexpr int kSdlLibraryVersion = 0;
// The kernel makes a js node for every joystick-class device.
constexpr const char* kJoystickNodes = "js*";

template <typename Call>
bool Resolve(QLibrary& library, const char* name, Call& call) {
    call = reinterpret_cast<Call>(library.resolve(name));
    return call != nullptr;
}

// Loaded on the first call and kept for the life of the program; nullptr
// when the library or one of its calls is missing.
const detail::SdlCalls* LoadSdl() {
    static const detail::SdlCalls* const loaded = []() -> const detail::SdlCalls* {
        static QLibrary library(QString::fromLatin1(kSdlLibrary), kSdlLibraryVersion);
        static detail::SdlCalls calls;
        if (!library.load()) return nullptr;
        const bool all = Resolve(library, "SDL_SetHint", calls.SetHint) &&
                         Resolve(library, "SDL_InitSubSystem", calls.InitSubSystem) &&
                         Resolve(library, "SDL_QuitSubSystem", calls.QuitSubSystem) &&
                         Resolve(library, "SDL_PollEvent", calls.PollEvent) &&
                         Resolve(library, "SDL_GameControllerOpen", calls.GameControllerOpen) &&
                         Resolve(library, "SDL_GameControllerClose", calls.GameControllerClose) &&
                         Resolve(library, "SDL_GameControllerGetJoystick", calls.GameControllerGetJoystick) &&
                         Resolve(library, "SDL_JoystickInstanceID", calls.JoystickInstanceID);
        return all ? &calls : nullptr;
    }();
    return loaded;
}

struct WalkKeys {
    std::int16_t left, right;
};
// The first pad is Yellow's, the second Red's: the keys each player walks with.
constexpr std::array<WalkKeys, kPadSlots> kWalkKeys{{{kKeyA, kKeyD}, {kKeyLeft, kKeyRight}}};

}  // namespace

bool StickSide::Update(std::int16_t value, int sign) {
    const int along = sign * int{value};
    held_ = held_ ? along > kStickLetGo : along > kStickHold;
    return held_;
}

PadInput::PadInput(GameWindow& window, const QString& devices, Load load) : window_(window), devices_(devices) {
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (pads_.empty() && settlePolls_ > 0) --settlePolls_;
        Poll();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        if (path != devices_) {
            // The parent folder: the devices' folder may have appeared.
            if (!QDir(devices_).exists() || !watcher_.addPath(devices_)) return;
        }
        Rescan();
    });
    WatchDevices();
    if (load == Load::Now || JoystickNodeThere()) Start();
    // The pads already plugged in when the game starts.
    Poll();
}

PadInput::~PadInput() {
    if (!started_) return;
    for (Pad& pad : pads_) sdl_->GameControllerClose(pad.controller);
    sdl_->QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool PadInput::JoystickNodeThere() const {
    return !QDir(devices_).entryList({QString::fromLatin1(kJoystickNodes)}, QDir::System | QDir::Files).isEmpty();
}

void PadInput::Start() {
    // One try: a library missing now stays missing, and a loaded one stays loaded.
    if (std::exchange(loadTried_, true)) return;
    sdl_ = LoadSdl();
    if (sdl_ == nullptr) return;
    // SDL would otherwise turn SIGINT and SIGTERM into events nobody reads,
    // and the game could not be stopped.
    sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    started_ = sdl_->InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void PadInput::WatchDevices() {
    // Without the devices' folder yet (no input device at all), wait for it to appear.
    const QFileInfo folder(devices_);
    watcher_.addPath(folder.isDir() ? devices_ : folder.absolutePath());
}

void PadInput::Rescan() {
    Start();
    settlePolls_ = kSettlePolls;
    Poll();
}

void PadInput::Poll() {
    // A pass never runs inside another (a message box's own event loop, say):
    // the outer one holds a pad it is working on.
    if (!started_ || polling_) return;
    const QScopedValueRollback guard(polling_, true);
    SDL_Event event;
    while (sdl_->PollEvent(&event) != 0) {
        const auto padOf = [this](SDL_JoystickID id) {
            return std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
        };
        switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
            case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
                if (auto pad = padOf(event.cbutton.which); pad != pads_.end())
                    Button(*pad, event.cbutton.button, event.cbutton.state == SDL_PRESSED);
                break;
            case SDL_CONTROLLERAXISMOTION:
                if (auto pad = padOf(event.caxis.which);
                    pad != pads_.end() && event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
                    pad->stickLeft.Update(event.caxis.value, -1);
                    pad->stickRight.Update(event.caxis.value, +1);
                    Walk(*pad);
                }
                break;
            default: break;
        }
    }
    Schedule();
}

void PadInput::Schedule() {
    const int interval = !pads_.empty() ? kPollIntervalMs : settlePolls_ > 0 ? kSettleIntervalMs : 0;
    if (interval == 0) poll_.stop();
    else if (!poll_.isActive() || poll_.interval() != interval) poll_.start(interval);
}

void PadInput::Open(int deviceIndex) {
    SDL_GameController* controller = sdl_->GameControllerOpen(deviceIndex);
    if (controller == nullptr) return;
    const SDL_JoystickID id = sdl_->JoystickInstanceID(sdl_->GameControllerGetJoystick(controller));
    if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; })) {
        sdl_->GameControllerClose(controller);  // SDL counts the opens; this one was a duplicate
        return;
    }
    Pad pad;
    pad.controller = controller;
    pad.id = id;
    for (int slot = 0; slot < kPadSlots && pad.slot < 0; ++slot)
        if (std::none_of(pads_.begin(), pads_.end(), [slot](const Pad& p) { return p.slot == slot; }))
            pad.slot = slot;
    pads_.push_back(pad);
}

void PadInput::Close(std::int32_t id) {
    const auto gone = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
    if (gone == pads_.end()) return;
    // SDL lets go of a removed pad's buttons and stick before it reports the
    // removal; a key still held here would otherwise walk on for good.
    Release(*gone);
    const int slot = gone->slot;
    sdl_->GameControllerClose(gone->controller);
    pads_.erase(gone);
    // A spare pad takes the player whose pad was removed.
    if (slot < 0) return;
    const auto spare = std::find_if(pads_.begin(), pads_.end(), [](const Pad& p) { return p.slot < 0; });
    if (spare != pads_.end()) spare->slot = slot;
}

void PadInput::Button(Pad& pad, int button, bool down) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: pad.dpadLeft = down; Walk(pad); return;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: pad.dpadRight = down; Walk(pad); return;
        default: break;
    }
    const bool start = button == SDL_CONTROLLER_BUTTON_START;
    const bool south = button == SDL_CONTROLLER_BUTTON_A;
    const bool east = button == SDL_CONTROLLER_BUTTON_B;
    // The other buttons act once, as they go down.
    if (!down || QApplication::activeWindow() == nullptr) return;
    if (QWidget* box = QApplication::activeModalWidget()) {
        if (south) Answer(box, Qt::Key_Return);
        else if (east) Answer(box, Qt::Key_Escape);
        return;
    }
    if (!WindowTakesKeys()) return;
    if (window_.SettingsShown()) {
        if (start || south) Tap(kKeyEnter);
    } else if (start) {
        Tap(kKeyEscape);
    }
}

void PadInput::Walk(Pad& pad) {
    if (pad.slot < 0) return;
    const WalkKeys keys = kWalkKeys[static_cast<std::size_t>(pad.slot)];
    const auto steer = [this](bool now, bool& held, bool& sent, std::int16_t code) {
        if (now == held) return;
        held = now;
        if (!now) {
            if (std::exchange(sent, false)) window_.GiveKey(false, code);
        } else if (WindowTakesKeys()) {
            // A press while another window or a message box has the keys is
            // dropped, as the keyboard's would be; the next press counts.
            sent = true;
            window_.GiveKey(true, code);
        }
    };
    steer(pad.dpadLeft || pad.stickLeft.Held(), pad.heldLeft, pad.sentLeft, keys.left);
    steer(pad.dpadRight || pad.stickRight.Held(), pad.heldRight, pad.sentRight, keys.right);
}

void PadInput::Release(Pad& pad) {
    if (pad.slot < 0) return;
    const WalkKeys keys = kWalkKeys[static_cast<std::size_t>(pad.slot)];
    if (std::exchange(pad.sentLeft, false)) window_.GiveKey(false, keys.left);
    if (std::exchange(pad.sentRight, false)) window_.GiveKey(false, keys.right);
}

void PadInput::Tap(std::int16_t code) {
    window_.GiveKey(true, code);
    window_.GiveKey(false, code);
}

void PadInput::Answer(QWidget* box, int qtKey) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &press);
    QCoreApplication::sendEvent(box, &release);
}

bool PadInput::WindowTakesKeys() const {
    return QApplication::activeModalWidget() == nullptr && QApplication::activeWindow() == &window_;
}

}  // namespace quondra::qt
