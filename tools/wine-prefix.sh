# Sourced by the scripts that run kavri under Wine.
#
# prepare_wine_prefix SIZE: makes $WINEPREFIX once, with every window on one
# virtual desktop of SIZE (such as 1024x768), where activation, SendInput and
# window frames work as on Windows, and with Wine's own TrueType fonts in its
# font folder so that text and caption buttons draw as they should.
prepare_wine_prefix() {
  local size=$1
  [ -f "$WINEPREFIX/.kavri-ready" ] && return 0
  wineboot -i >/dev/null 2>&1 || true
  local reg="$WINEPREFIX/kavri-desktop.reg"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="%s"\n' \
    "$size" >"$reg"
  wine regedit "$reg" >/dev/null 2>&1
  local fonts
  for fonts in /usr/share/wine/fonts /usr/lib/wine/fonts; do
    [ -d "$fonts" ] && cp -n "$fonts"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
  done
  wineserver -w
  touch "$WINEPREFIX/.kavri-ready"
}
