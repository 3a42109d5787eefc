# The two user commands: `make run` and `make test`. `make bench` measures.
JOBS ?= $(shell nproc)
TEST_DIR := build/test
RELEASE_DIR := build/release
BENCH_DIR := build/bench
ARGS ?=

.PHONY: deps run test bench clean

deps:
	@bash scripts/install-deps.sh

run: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVESKEL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	@if [ -x $(RELEASE_DIR)/Sources/VeskelApp/veskel ]; then \
		$(RELEASE_DIR)/Sources/VeskelApp/veskel $(ARGS); \
	else \
		echo "Built Release. The application window is not part of this build yet; veskel-cli is the way in for now."; \
	fi

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DVESKEL_SANITIZE=ON -DVESKEL_BUILD_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVESKEL_BUILD_TESTS=OFF -DVESKEL_BUILD_BENCHMARKS=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/Benchmarks/*Benchmark; do \
		[ -x "$$b" ] && "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; \
	done

clean:
	rm -rf build
