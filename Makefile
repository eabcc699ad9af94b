# make run   installs what is missing, builds the three programs and their data, and
#            starts the desktop program on its initial image.
# make test  installs what is missing, builds everything and runs every test: the plain
#            build (with the end-to-end runs, one short run of every benchmark, the replay
#            of the fuzz corpora and the validation of the desktop files), then the core
#            and the Qt layer again under AddressSanitizer and UndefinedBehaviorSanitizer
#            (offscreen), with one link of every library through link-time optimisation
#            so that a one-definition-rule violation fails.
# make deb   builds the programs and packs them, their data and the desktop and udev
#            files into build/rx93kit_VERSION_ARCH.deb (apt install ./build/rx93kit_*.deb).
# make fuzz  builds the fuzz targets with clang and libFuzzer (build-fuzz/) and runs each
#            for FUZZ_SECONDS (60); new inputs stay in build-fuzz/fuzz-work/.
# make screenshots  renders docs/screenshots/ (1x and 2x) from the offscreen program.

PACKAGES := cmake ninja-build g++ make pkg-config clang-format ccache \
            qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev \
            libgtest-dev libgmock-dev libbenchmark-dev \
            xvfb xauth desktop-file-utils appstream
DEB_PACKAGES  := dpkg-dev file
FUZZ_PACKAGES := clang
PROGRAMS := rx93kit rx93kit-cli rx93kit-radio rx93data
BUILD    ?= build
ASAN     ?= build-asan
FUZZ     ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS     ?= $(shell nproc)

.PHONY: run test deps deb-deps fuzz-deps programs build asan bench screenshots deb fuzz format format-check clean

run: programs
	$(BUILD)/bin/rx93kit

test: format-check build asan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --label-exclude screenshots
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --label-exclude 'e2e|walk|screenshots'

# Installs only what is missing, and says what. Without root or a usable sudo it prints
# the one command to run instead.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	[ -z "$$missing" ] && exit 0; \
	if [ "$$(id -u)" = 0 ]; then sudo=""; \
	elif command -v sudo >/dev/null 2>&1 && sudo -v 2>/dev/null; then sudo="sudo"; \
	else \
	  echo "Missing packages:$$missing"; \
	  echo "They cannot be installed as $$(id -un) (not root, and sudo is not available)."; \
	  echo "Run this as root, then run make again:"; \
	  echo "  apt-get install -y --no-install-recommends$$missing"; \
	  exit 1; \
	fi; \
	echo "Installing the missing packages:$$missing"; \
	$$sudo apt-get update -q && \
	$$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing

# The package's tools and the fuzzer's compiler are installed only on their way.
deb-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(DEB_PACKAGES)"

fuzz-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRX93_WERROR=ON

$(ASAN)/build.ninja: | deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRX93_SANITIZE=ON -DRX93_ODR_CHECK=ON \
	  -DRX93_WERROR=ON

# The programs and their data only: no test or benchmark is built.
programs: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target $(PROGRAMS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

asan: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)

deb: programs deb-deps
	cd $(BUILD) && cpack -G DEB

$(FUZZ)/build.ninja: | fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRX93_CORE_ONLY=ON \
	  -DRX93_BENCH=OFF -DRX93_FUZZ=ON

fuzz: deps fuzz-deps $(FUZZ)/build.ninja
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz-targets
	fuzz/run.sh $(FUZZ)/bin $(FUZZ_SECONDS) $(FUZZ)/fuzz-work

# Every benchmark with its full measuring time (make test runs each only briefly).
bench: build
	@for b in $(BUILD)/bin/bench_*; do $$b; done

screenshots: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -L screenshots

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZ)
