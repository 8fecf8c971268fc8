# Two commands: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
TESTBUILD  ?= build-test
JOBS       ?= $(shell nproc)

.PHONY: deps run build test build-test bench fuzz soak clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHB_BUILD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target huebird-lite huebird-code

run: build
	cd $(BUILD) && ./huebird-lite

build-test: deps
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DHB_SANITIZE=ON -DHB_BUILD_BENCH=OFF
	cmake --build $(TESTBUILD) -j $(JOBS)

test: build-test
	@bash scripts/run-tests.sh $(TESTBUILD)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHB_BUILD_TESTS=OFF -DHB_BUILD_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(TESTBUILD) build-bench
