# Sourced by the Wine test scripts: the environment of one test run's Wine.
# QOV_WINE_ROOT names the folder that holds the run's prefix, home and display.
: "${QOV_WINE_ROOT:?QOV_WINE_ROOT must name the Wine folder of the test run}"
export WINEPREFIX="$QOV_WINE_ROOT/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko install prompts, no menu entries or file associations.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes its ANSI code page from the locale: ja_JP gives 932.  A test
# may name another in QOV_WINE_LOCALE (en_US.UTF-8 gives 1252 and English).
export LANG="${QOV_WINE_LOCALE:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
# The shell's Desktop and Documents folders link into HOME; keep them inside the run.
export HOME="$QOV_WINE_ROOT/home"
if [ -z "${DISPLAY:-}" ] && [ -f "$QOV_WINE_ROOT/display" ]; then
  DISPLAY=$(cat "$QOV_WINE_ROOT/display")
  export DISPLAY
fi
