# The two commands a newcomer needs: `make run` and `make test`.
MAKEFLAGS += --no-print-directory
# Both install missing Debian packages, configure and build incrementally.

JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE   := build/release
TESTBUILD := build/asan
MAIN_APP  := $(if $(wildcard apps/zymqix-stats/main.cpp),zymqix-stats,zymqix-demo)

.PHONY: run test deps bench clean configure-release configure-test

deps:
	@./scripts/install-deps.sh

# Configuring again is cheap and repairs a half-configured folder.
configure-release: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DZYMQIX_TESTS=OFF >/dev/null

configure-test: deps
	@cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DZYMQIX_SANITIZE=ON -DZYMQIX_BENCH=OFF >/dev/null

run: configure-release
	cmake --build $(RELEASE) -j $(JOBS) --target $(MAIN_APP)
	./$(RELEASE)/apps/$(MAIN_APP) $(ARGS)

test: configure-test
	cmake --build $(TESTBUILD) -j $(JOBS)
	cd $(TESTBUILD) && ctest --output-on-failure -j $(JOBS) --no-tests=error

bench: configure-release
	cmake --build $(RELEASE) -j $(JOBS)
	@for b in $(RELEASE)/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf build
