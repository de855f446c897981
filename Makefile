# Two entry points: `make run` and `make test`. Each installs the Debian
# packages it needs when they are missing, then builds with CMake.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
FUZZ_SECONDS ?= 60
JOBS       := $(shell nproc)

RUN_PKGS  := g++ cmake make libsdl2-dev libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libxrandr-dev \
             libpng-dev libwayland-dev libwayland-bin wayland-protocols
WEB_PKGS  := emscripten
# A Debian package: the build, CPack's dependency scan (dpkg-shlibdeps) and its file check.
PACKAGE_PKGS := $(RUN_PKGS) dpkg-dev file
TEST_PKGS := $(RUN_PKGS) libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils \
             openbox wmctrl imagemagick apitrace xserver-xorg-core xserver-xorg-video-dummy \
             x11-xserver-utils libpng-dev clang libclang-rt-14-dev valgrind \
             desktop-file-utils appstream lintian man-db dpkg-dev file xscreensaver xscreensaver-gl \
             libxml2-utils $(WEB_PKGS) chromium python3
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
# Debian's emscripten runs on the machine's Node.js, which may not search
# Debian's own module folder for the packages emscripten needs.
WEB_ENV   := NODE_PATH=/usr/share/nodejs

# Installs the packages of $(1) that dpkg does not list as installed.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  sudo=; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	  echo "Installing:" $$missing; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq $$missing; \
	fi
endef

.PHONY: run test deps-run deps-test deps-web deps-package build build-asan web clean package

# The demo, and norvex-capture beside it in $(BUILD)/tools.
run: deps-run
	cmake -S . -B $(BUILD) -DNORVEX_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS) --target norvex norvex-capture
	./$(BUILD)/norvex

test: deps-test build build-asan web
	cd $(BUILD) && ctest --output-on-failure -j2
	cd $(ASAN_BUILD) && ctest --output-on-failure -L 'unit|gl|e2e-asan'
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) bash tests/fuzz/run_fuzz.sh

deps-run:
	$(call install_missing,$(RUN_PKGS))

deps-test:
	$(call install_missing,$(TEST_PKGS))

deps-web:
	$(call install_missing,$(WEB_PKGS))

deps-package:
	$(call install_missing,$(PACKAGE_PKGS))

build:
	cmake -S . -B $(BUILD) -DNORVEX_TESTS=ON
	cmake --build $(BUILD) -j$(JOBS)

build-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNORVEX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)

# The demo as one self-contained page: $(WEB_BUILD)/norvex.html.
web: deps-web
	$(WEB_ENV) emcmake cmake -S platform/web -B $(WEB_BUILD)
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j$(JOBS)

# The Debian package norvex_<version>_amd64.deb, in $(BUILD): the programs and
# their files, without the tests.
package: deps-package
	cmake -S . -B $(BUILD) -DNORVEX_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD)
