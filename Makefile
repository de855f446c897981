# Two entry points: `make run` and `make test`; `make check` is the loop a
# developer lives in. Each installs the Debian packages it needs when they are
# missing, then builds with CMake through the presets in CMakePresets.json
# (default: build/, asan: build-asan/, web: build-web/, fuzz: build-fuzz/,
# windows: build-win/).

FUZZ_SECONDS ?= 60
JOBS       := $(shell nproc)
export CMAKE_BUILD_PARALLEL_LEVEL := $(JOBS)

RUN_PKGS  := g++ cmake make libsdl2-dev libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libxrandr-dev \
             libpng-dev libwayland-dev libwayland-bin wayland-protocols libglib2.0-bin
WEB_PKGS  := emscripten
# norvex.exe and norvex.scr, cross-built; objdump for the imports the test checks.
WINDOWS_PKGS := cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
# A Debian package: the build, CPack's dependency scan (dpkg-shlibdeps) and its file check.
PACKAGE_PKGS = $(RUN_PKGS) $(PLASMA_PKGS) dpkg-dev file
# The fast groups: unit, GL (Mesa offscreen), the frame's trace, norvex-capture.
CHECK_PKGS := $(RUN_PKGS) libgtest-dev libgmock-dev libbenchmark-dev apitrace
TEST_PKGS := $(CHECK_PKGS) xvfb xauth xdotool x11-utils \
             openbox wmctrl imagemagick xserver-xorg-core xserver-xorg-video-dummy \
             x11-xserver-utils libpng-dev clang libclang-rt-14-dev valgrind \
             desktop-file-utils appstream lintian man-db dpkg-dev file xscreensaver xscreensaver-gl \
             libxml2-utils $(WEB_PKGS) chromium python3 python3-gi
# The Windows programs under Wine.
TEST_PKGS += $(WINDOWS_PKGS) wine64 libxfixes-dev
# A Wayland desktop for the end-to-end tests: the compositor, XWayland, and the
# decorations SDL draws itself there, as under GNOME.
TEST_PKGS += weston xwayland libdecor-0-plugin-1-cairo
# What a MATE desktop brings along: SDL's message-box helper and the session-bus
# launcher that libdbus and GTK start where no bus is named.
TEST_PKGS += zenity dbus-x11
# The Wayland roles and a scaled (HiDPI) output: compositors with the layer
# shell, an idle daemon, pictures of one output, keys through the virtual
# keyboard, and a window to cover them.
TEST_PKGS += sway swayidle grim wtype foot kwin-wayland
# A headless GNOME Shell for the extension's test, with the buses and the
# D-Bus and GSettings tools it is driven with, and gjs for its preferences
# service. Installed without the packages it recommends, which would bring a
# whole desktop.
GNOME_PKGS := gnome-shell gjs dbus-daemon libglib2.0-bin

# The KDE Plasma wallpaper plugin (Qt 5's QML) and a Plasma desktop to run it
# on: plasmashell and its activity manager, KWin's fake-input description for
# a real key, a Qt window to cover it, and GIO's bindings for KWin's
# screenshots and plasmashell's scripts over the session bus.
PLASMA_PKGS := qtdeclarative5-dev
TEST_PKGS += $(PLASMA_PKGS) plasma-workspace kactivitymanagerd plasma-wayland-protocols qmlscene python3-gi

# Installs the packages of $(1) that dpkg does not list as installed, with
# apt-get's options $(2) if given.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  sudo=; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	  echo "Installing:" $$missing; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq $(2) $$missing; \
	fi
endef

.PHONY: run check test deps-run deps-check deps-test deps-web deps-windows deps-package build build-asan web windows \
        clean package

# The demo, and norvex-capture beside it in build/tools.
run: deps-run
	cmake --preset demo
	cmake --build --preset demo
	./build/norvex

# The default tree built, then the groups that need no X server, compositor
# or browser: unit, gl, trace and capture.
check: deps-check
	cmake --workflow --preset check

# Everything: the default tree's every test, the sanitizer build's unit and GL
# tests and toggle storm, and the fuzzer for FUZZ_SECONDS.
test: deps-test build build-asan web windows
	ctest --preset all
	ctest --preset asan
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash tests/fuzz/run_fuzz.sh

deps-run:
	$(call install_missing,$(RUN_PKGS))

deps-check:
	$(call install_missing,$(CHECK_PKGS))

deps-test:
	$(call install_missing,$(TEST_PKGS))
	$(call install_missing,$(GNOME_PKGS),--no-install-recommends)

deps-web:
	$(call install_missing,$(WEB_PKGS))

deps-windows:
	$(call install_missing,$(WINDOWS_PKGS))

deps-package:
	$(call install_missing,$(PACKAGE_PKGS))

build:
	cmake --preset default
	cmake --build --preset default

build-asan:
	cmake --preset asan
	cmake --build --preset asan

# The demo as one self-contained page: build-web/norvex.html.
web: deps-web
	cmake --preset web
	cmake --build --preset web

# norvex.exe and norvex.scr for 64-bit Windows, statically linked, and a zip
# of both with the license and a readme: build-win/.
windows: deps-windows
	cmake --preset windows
	cmake --build --preset windows

# The Debian package norvex_<version>_amd64.deb, in build/: the programs and
# their files, without the tests.
package: deps-package
	cmake --preset demo
	cmake --build build
	cd build && cpack -G DEB

clean:
	rm -rf build build-asan build-fuzz build-web build-win
