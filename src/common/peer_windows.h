#pragma once
// What each of the two lasting windows asks of the other. The bus window and the control panel
// are made side by side and introduced to each other once, through these, by StartWindows.
#include <cstdint>
#include <optional>

namespace rumona {

class WindowCore;

// The bus window's procedures that the panel's handlers call by the names of those handlers.
class BusProcedures {
 public:
  virtual void Check1_Click() = 0;        // a front-door stroke, as the panel's button now says
  virtual void Check2_Click() = 0;        // a middle-door stroke
  virtual void MnuEditHkPic_Click() = 0;  // the sign folder chooser, modally
  virtual void MnuHelpVer_Click() = 0;    // the version dialog, modally
  // The keypad's "設定": the separator stored with the sign folder, then the entry of that
  // number shown, when the keypad holds one.
  virtual void ShowSignNumber(std::optional<int16_t> number) = 0;

 protected:
  ~BusProcedures() = default;
};

// The panel's controls that the bus window's procedures read, and its settings set.
class PanelControls {
 public:
  virtual WindowCore& Window() = 0;  // its place on the screen
  virtual int Check1Value() const = 0;  // the door buttons: 1 open, 0 closed
  virtual int Check2Value() const = 0;
  virtual int HScroll1Value() const = 0;  // the speeds: a step's delay in 100 ns
  virtual int HScroll2Value() const = 0;
  // Sets a speed as code does: the change handling runs when the value really changes.
  virtual void SetHScroll1Value(int value) = 0;
  virtual void SetHScroll2Value(int value) = 0;
  virtual bool Option1Value(int index) const = 0;  // the middle door's leaves: both, left, right
  virtual void SelectOption1(int index) = 0;  // selects one, which clears the other two

 protected:
  ~PanelControls() = default;
};

}  // namespace rumona
