// The application's base: the program derives from it, the constructor registers the single
// instance, and run() launches it and drives the window's loop until it closes: on the
// system's clock, input is drawn as it arrives and frames run only while something moves;
// on the virtual clock, frames run at the animation interval throughout. It also answers
// for the user's language and opens links.
#pragma once

#include <string>
#include <vector>

#include "cocos/services/LanguageCode.h"

namespace cocos2d {

class ApplicationProtocol {
 public:
  // The systems the application is built for.
  enum class Platform { OS_WINDOWS, OS_LINUX };

  virtual ~ApplicationProtocol() = default;
  // Sets up the window and the first scene; false stops the program.
  virtual bool applicationDidFinishLaunching() = 0;
  virtual void applicationDidEnterBackground() = 0;
  virtual void applicationWillEnterForeground() = 0;
  virtual void initGLContextAttrs() {}
};

class Application : public ApplicationProtocol {
 public:
  Application();
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The instance constructed last and not yet destroyed; null when there is none.
  static Application* getInstance();

  // Launches the application and runs frames until the window closes or the director ends;
  // then tears the director down. 0 on a normal end; 1 when launching failed or left no window.
  int run();
  void setAnimationInterval(float interval);

  // The backend's preferred language when a window exists, else the locale variables.
  static LanguageType getCurrentLanguage();
  static const char* getCurrentLanguageCode();
  Platform getTargetPlatform() const { return Platform::OS_LINUX; }
  std::string getVersion() const { return ""; }

  // Records the address and, unless headless, asks the system to open it. Always true.
  bool openURL(const std::string& url);
  // Every address opened in this process, in order.
  static const std::vector<std::string>& getOpenedURLs();

 private:
  void runFixedRate(class GLView* view);
  void runOnEvents(class GLView* view);
};

}  // namespace cocos2d
