// KWin's scripting over the session bus, which is all KWin offers an
// ordinary client for acting on windows in a Wayland session: a script
// file is loaded under a name of ours, run, and left loaded until the next
// one, because KWin reads the file after `run` has answered.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace axt::lindesk {

// How the run of a loaded script went.
enum class ScriptRun {
  kRan,
  kNoSuchObject,  // no script object at that path: KWin names them
                  // otherwise (older releases)
  kFailed,        // an error or no answer in time
};

// The three requests of KWin's scripting interface, one round trip each.
class ScriptingBus {
 public:
  virtual ~ScriptingBus() = default;
  // The script's id, -1 when KWin refuses (a script of that name is
  // loaded already); absent when it didn't answer.
  virtual std::optional<int> loadScript(const std::string& file, const std::string& name) = 0;
  virtual ScriptRun run(const std::string& objectPath) = 0;
  virtual void unloadScript(const std::string& name) = 0;
};

// A file only the user can read, removed when the holder goes.
class ScriptFile {
 public:
  // A new empty file in `folder`; absent when none can be made there.
  static std::optional<ScriptFile> create(const std::string& folder);
  ScriptFile(ScriptFile&& other) noexcept;
  ScriptFile& operator=(ScriptFile&& other) noexcept;
  ScriptFile(const ScriptFile&) = delete;
  ScriptFile& operator=(const ScriptFile&) = delete;
  ~ScriptFile();

  const std::string& path() const { return path_; }
  // Replaces what the file holds; false when it can't be written whole.
  bool write(std::string_view text) const;

 private:
  explicit ScriptFile(std::string path) : path_(std::move(path)) {}
  std::string path_;
};

class KWinScripting {
 public:
  // Scripts are written into `folder` (the user's runtime folder) and
  // loaded under `name`.
  KWinScripting(std::unique_ptr<ScriptingBus> bus, std::string folder, std::string name);
  KWinScripting(KWinScripting&&) noexcept = default;
  KWinScripting& operator=(KWinScripting&&) = delete;
  KWinScripting(const KWinScripting&) = delete;
  KWinScripting& operator=(const KWinScripting&) = delete;
  // Unloads the last script; its file goes with the holder.
  ~KWinScripting();

  // Runs `script` once; false when KWin didn't take or didn't run it. What
  // the script does is KWin's: nothing comes back from it.
  bool run(std::string_view script);

 private:
  std::optional<int> load();

  std::unique_ptr<ScriptingBus> bus_;
  std::string folder_;
  std::string name_;
  std::optional<ScriptFile> file_;
  bool loaded_ = false;
  // Which way KWin names its script objects, once one was run.
  std::optional<bool> olderPaths_;
};

// KWin's scripting on the session bus, for where KWin is there
// (kwinOwner() names its connection); null without a session bus.
std::unique_ptr<ScriptingBus> kwinScriptingBus();

}  // namespace axt::lindesk
