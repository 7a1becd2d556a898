# make run: install, build, start a solo game.  make test: install, build, run every test headless.
# make install: build and install under PREFIX (DESTDIR is honoured).  make package: build the .deb.
BUILD ?= build
TYPE  ?= RelWithDebInfo
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: all deps configure build run test install package clean

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(TYPE) $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/bin/brelvox

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
