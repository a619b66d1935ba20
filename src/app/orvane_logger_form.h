#pragma once
// The main window's controls under their designer names, and where the form
// places them. The window class inherits them and holds only its handlers.
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class QWidget;

namespace tamsel {

class PictureBox;

class OrvaneLoggerForm {
 protected:
  // Creates every control as a child of `window`, each with its designer
  // name as object name and its caption (or what it shows) as accessible name;
  // so the window's members may hold its controls from the start.
  explicit OrvaneLoggerForm(QWidget* window) { buildForm(window); }

  // Where the band of the comms line and the message line begins: a window
  // whose client area ends above it hides both lines.
  static constexpr int kLowerBandTopTwips = 4560;
  // Outer widths with the live plot shown and hidden.
  static constexpr int kWidthWithPlotTwips = 11160;
  static constexpr int kWidthWithoutPlotTwips = 4725;

  QLabel* Label11 = nullptr;
  QTreeWidget* ListView1 = nullptr;
  QPushButton* BlinkData = nullptr;
  QLabel* Label14 = nullptr;
  QPushButton* StartLogging = nullptr;
  QPushButton* StopLogging = nullptr;
  QPushButton* ShowLogs = nullptr;
  QPushButton* BlinkLog = nullptr;
  QLabel* Label9 = nullptr;
  QLineEdit* delay = nullptr;
  QLabel* Label10 = nullptr;
  QCheckBox* GraphDisplay = nullptr;
  QPushButton* Setup = nullptr;
  QPushButton* CalibrateButton = nullptr;
  QCheckBox* Check1 = nullptr;
  QPushButton* Exit = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* ErrorString = nullptr;
  PictureBox* GraphPlot = nullptr;
  QTimer* Timer2 = nullptr;

 private:
  void buildForm(QWidget* window);
  void buildLoggingPanel(QWidget* window);
  void buildLowerBand(QWidget* window);
  void buildIndicators();
};

}  // namespace tamsel
