#pragma once
// SDL's virtual devices as a player's pad or joystick, for tests: a game
// controller (an XInput pad to the game) or a plain stick with a hat.
#include <SDL.h>

class VirtualDevice {
public:
  explicit VirtualDevice(bool controller) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    if (controller) {
      desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
      desc.naxes = SDL_CONTROLLER_AXIS_MAX;
      desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
      desc.name = "Test pad";
    } else {
      desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
      desc.naxes = 4;
      desc.nbuttons = 12;
      desc.nhats = 1;
      desc.name = "Test stick";
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) return;
    Id = SDL_JoystickGetDeviceInstanceID(index);
    Stick = SDL_JoystickOpen(index);
    // A released trigger sits at the low end of its axis.
    if (controller) {
      Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
      Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
    }
  }
  ~VirtualDevice() { Unplug(); }
  VirtualDevice(const VirtualDevice&) = delete;
  VirtualDevice& operator=(const VirtualDevice&) = delete;

  bool Attached() const { return Stick != nullptr; }
  void Button(int button, bool down) { SDL_JoystickSetVirtualButton(Stick, button, down); }
  void Axis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(Stick, axis, value); }
  void Hat(Uint8 value) { SDL_JoystickSetVirtualHat(Stick, 0, value); }
  // The device as SDL last read it (a controller's buttons by their
  // controller numbering).
  bool ReadButton(int button, bool controller) const {
    if (!controller) return SDL_JoystickGetButton(Stick, button) != 0;
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(Id);
    return pad && SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button)) != 0;
  }
  Uint8 ReadHat() const { return SDL_JoystickGetHat(Stick, 0); }
  void Unplug() {
    if (!Stick) return;
    SDL_JoystickClose(Stick);
    Stick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == Id) SDL_JoystickDetachVirtual(i);
  }

private:
  SDL_JoystickID Id = -1;
  SDL_Joystick* Stick = nullptr;
};
