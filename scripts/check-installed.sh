#!/bin/sh
# The installed package as a new user meets it, on a fresh Debian 12 system:
#   ../shared/tools/fresh-machine.sh . "sh scripts/check-installed.sh"
# builds the package, installs it with apt (which pulls every dependency), starts the
# program from its menu entry under Xvfb as an ordinary user, and checks that the first
# start made the user's folder with the shipped password store, that the Italian button
# texts are there, and that the user's archives survive removing and reinstalling.
set -e
cd "$(dirname "$0")/.."
sh scripts/package.sh
deb=$(ls build-package/tavolex_*_amd64.deb)
apt-get install -y -q "./$deb" >/dev/null
apt-get install -y -q --no-install-recommends xvfb xauth xdotool >/dev/null
id tavolexuser >/dev/null 2>&1 || useradd -m tavolexuser
# A system made in a private temporary folder has a root only root may enter.
chmod 755 /
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.tavolex.Tavolex.desktop)
# Starts the menu entry's command as the user and waits for the password window.
start() {
  timeout 60 su tavolexuser -c "xvfb-run -a sh -c '$exec_line & pid=\$!; \
    until xdotool search --onlyvisible --name Autenticazione >/dev/null 2>&1; do sleep 0.2; done; \
    kill \$pid'"
}
start
folder=/home/tavolexuser/.local/share/Tavolex
cmp "$folder/unins000.dll" /usr/share/tavolex/unins000.dll
test -f /usr/share/qt6/translations/qtbase_it.qm
# The user's records stay theirs across removing and reinstalling the package.
echo "archivio dell'utente" > "$folder/Clienti.pro"
apt-get remove -y -q tavolex >/dev/null
apt-get install -y -q "./$deb" >/dev/null
start
grep -q "archivio dell'utente" "$folder/Clienti.pro"
echo "installed package: menu entry starts it, user folder made, archives kept across reinstall"
