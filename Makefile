# make run   installs what is missing, builds, and starts the app on its initial image.
# make test  installs what is missing, builds, and runs every test (plain build, then
#            the core again under AddressSanitizer and UndefinedBehaviorSanitizer, linked
#            with link-time optimisation so that a one-definition-rule violation fails).

PACKAGES := cmake ninja-build g++ make pkg-config clang-format \
            qt6-base-dev qt6-serialport-dev libqt6serialport6-dev libgl-dev \
            libgtest-dev libgmock-dev libbenchmark-dev \
            xvfb xauth
BUILD    ?= build
ASAN     ?= build-asan
JOBS     ?= $(shell nproc)
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test deps build asan bench format format-check clean

run: build
	$(BUILD)/bin/rx93kit

test: format-check build asan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRX93_WERROR=ON

$(ASAN)/build.ninja: | deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRX93_CORE_ONLY=ON -DRX93_SANITIZE=ON -DRX93_ODR_CHECK=ON \
	  -DRX93_WERROR=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

asan: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do $$b; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN)
