# Sourced by the scripts: a private Xvfb display, a fresh Wine prefix with its own persistent
# wineserver, and a HOME whose ALSA default is the null device. `wine_env_stop` ends exactly
# what `wine_env_start` started.

wine_env_start() {
  KLAXORA_TMP="$(mktemp -d /tmp/klaxora.XXXXXX)"
  export WINEPREFIX="$KLAXORA_TMP/prefix"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  mkdir -p "$KLAXORA_TMP/home"
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$KLAXORA_TMP/home/.asoundrc"
  KLAXORA_HOME="$KLAXORA_TMP/home"

  if [ -z "${KLAXORA_USE_DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$KLAXORA_TMP/xvfb.log" 2>&1 &
    KLAXORA_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
  fi

  mkdir -p "$WINEPREFIX"
  HOME="$KLAXORA_HOME" wineserver -p
  HOME="$KLAXORA_HOME" wineboot -i >"$KLAXORA_TMP/wineboot.log" 2>&1
  # Xvfb has no window manager; unmanaged windows spare Wine a wait of about two seconds
  # each time a window is shown or hidden.
  HOME="$KLAXORA_HOME" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >/dev/null 2>&1
  # A program that faults ends at once with its exception code instead of waiting for
  # Wine's debugger, which under Xvfb would hold the test run until its time-out.
  HOME="$KLAXORA_HOME" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d "" /f >/dev/null 2>&1
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    HOME="${KLAXORA_HOME:-$HOME}" wineserver -k 2>/dev/null || true
  fi
  if [ -n "${KLAXORA_XVFB_PID:-}" ]; then
    kill "$KLAXORA_XVFB_PID" 2>/dev/null || true
    wait "$KLAXORA_XVFB_PID" 2>/dev/null || true
    KLAXORA_XVFB_PID=""
  fi
  if [ -n "${KLAXORA_TMP:-}" ] && [ -z "${KLAXORA_KEEP_TMP:-}" ]; then
    rm -rf "$KLAXORA_TMP"
  fi
}
