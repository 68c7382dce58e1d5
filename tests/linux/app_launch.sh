# The two browsers, the word processor and KDE's editor of the tests
# against real applications, each started on the virtual desktop of
# desktop_env.sh with a profile of its own in the desktop's private folder
# ($work), so that nothing of the user's own (profiles, caches, recent
# files) is read or written, and nothing asks a question at the start.
# Sourced after desktop_env.sh (run.sh, and the Wayland tests):
#
#   launch_firefox      Firefox ESR on textarea.html
#   launch_chromium     Chromium on textarea.html
#   launch_writer       LibreOffice Writer with an empty document
#   launch_epiphany     GNOME Web (WebKitGTK) on textarea.html
#   launch_kwrite       KWrite (KDE Frameworks) with an empty file
#   extents_settled     the extents of a word once they have settled
#
# firefox_profile and chromium_options give the browsers' settings to tests
# that start them otherwise (wayland_session.sh, as native clients).
#
# Each returns once the application is on the accessibility bus, its window
# is shown and its text is there for an AT-SPI client, and sets `launched`
# to the window's id; else it returns 1 with desktop_error saying which.
# Their HOME is a folder of $work too: what they keep there goes with it.

app_launch_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
app_launch_page="file://$app_launch_here/textarea.html"

# The text area (or Writer's paragraph) is on the bus: the page has been
# laid out and its accessibility tree built.
app_text_ready() {  # name
  timeout 10 "$desktop_reader" text "$1"
}

app_launch_wait_text() {  # name class
  wait_for 30 app_text_ready "$1" ||
    { desktop_error="$1 shows no text area on the accessibility bus; $(desktop_log_tail "$2")"; return 1; }
}

# The extents of WORD in NAME's text once two answers in a row agree and
# have a size, asked for up to 5 s: Firefox fills in the rectangles of
# its text only once a client asks for them.
extents_settled() {  # name word
  local before="" answer deadline=$((SECONDS + 5))
  while [ "$SECONDS" -le "$deadline" ]; do
    answer="$(timeout 10 "$desktop_reader" extents "$1" "$2")"
    if [ "$answer" = "$before" ] && [[ "$answer" =~ ^-?[0-9]+\ -?[0-9]+\ [1-9][0-9]*\ [1-9][0-9]*$ ]]; then
      echo "$answer"
      return 0
    fi
    before="$answer"
  done
  return 1
}
# Firefox's profile, in FOLDER.
firefox_profile() {  # folder
  mkdir -p "$1"
  # Accessibility is on for the session (GNOME_ACCESSIBILITY, exported by
  # desktop_env.sh), and never switched off for lack of a client. No
  # welcome, privacy or what's-new pages, no default-browser question, no
  # session to restore after the kill at the end, and no requests to the
  # network that isn't there.
  cat >"$1/user.js" <<'EOF'
user_pref("accessibility.force_disabled", -1);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("startup.homepage_welcome_url", "");
user_pref("startup.homepage_welcome_url.additional", "");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.policy.firstRunURL", "");
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.sessionstore.resume_from_crash", false);
user_pref("toolkit.startup.max_resumed_crashes", -1);
user_pref("app.update.auto", false);
user_pref("app.normandy.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
EOF
}

launch_firefox() {
  local profile="$work/firefox-profile"
  mkdir -p "$work/home"
  firefox_profile "$profile"
  HOME="$work/home" desktop_launch Firefox firefox-esr \
    firefox-esr --no-remote --new-instance --profile "$profile" "$app_launch_page" &&
    app_launch_wait_text Firefox firefox-esr
}

# Chromium's switches for the tests, with its profile in FOLDER, in
# chromium_args. As root, Chromium runs only without its sandbox. Its
# renderer builds the page's accessibility tree only when told to; the
# keyring and the GPU process are left out, as on a server without either.
chromium_options() {  # folder
  chromium_args=(--no-sandbox --user-data-dir="$1" --no-first-run --no-default-browser-check
    --force-renderer-accessibility --disable-gpu --password-store=basic --disable-background-networking
    --disable-component-update --disable-sync)
}

launch_chromium() {
  mkdir -p "$work/home"
  chromium_options "$work/chromium-profile"
  HOME="$work/home" desktop_launch Chromium chromium chromium "${chromium_args[@]}" --new-window "$app_launch_page" &&
    app_launch_wait_text Chromium chromium
}

launch_writer() {
  local profile="$work/libreoffice-profile"
  mkdir -p "$profile/user" "$work/home"
  # No start centre (--writer), no tip of the day, no first-start or
  # what's-new bars; and no automatic corrections, which would capitalise
  # the first word typed and complete the words the cases type.
  cat >"$profile/user/registrymodifications.xcu" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Setup/Office"><prop oor:name="ooSetupInstCompleted" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Setup/Product"><prop oor:name="ooSetupLastVersion" oor:op="fuse"><value>99.0</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/AutoCorrect"><prop oor:name="CapitalAtStartSentence" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Writer/AutoFunction/Completion"><prop oor:name="Enable" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
EOF
  # The GTK 3 plugin: what a desktop user gets, and the one whose text
  # reaches AT-SPI.
  HOME="$work/home" SAL_USE_VCLPLUGIN=gtk3 desktop_launch soffice libreoffice-writer \
    soffice --writer --norestore --nologo --nolockcheck "-env:UserInstallation=file://$profile" &&
    app_launch_wait_text soffice libreoffice-writer
}

launch_epiphany() {
  mkdir -p "$work/home"
  # A private instance: a profile of its own that goes when it quits, and
  # no other instance's window to open in. Its pages run in a web process
  # of their own, in WebKit's sandbox, whose accessible tree hangs in the
  # window's: the text area is there once that tree is.
  HOME="$work/home" desktop_launch epiphany epiphany \
    epiphany-browser --private-instance "$app_launch_page" &&
    app_launch_wait_text epiphany epiphany
}

launch_kwrite() {
  mkdir -p "$work/home"
  # A file to edit, else KWrite opens on its welcome page, which has no
  # text.
  : >"$work/kwrite.txt"
  HOME="$work/home" desktop_launch kwrite kwrite kwrite "$work/kwrite.txt" &&
    app_launch_wait_text kwrite kwrite
}
