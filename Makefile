# The front door. `make run` builds the Linux digestorium and starts it (`make run-wine`: the
# Windows digestorium.exe under Wine); `make test`
# runs every test; `make bench` prints the digest throughput against openssl and md5sum;
# `make dist` writes the release zip and the Debian package, the same bytes from any clone
# of one commit.
.PHONY: run run-wine test bench mutants format dist

run:
	tools/run

run-wine:
	tools/run $$(tools/windows-variant)

test:
	tools/test-all

bench:
	tools/bench

dist:
	tools/dist

# Not part of `make test`: slow. Every planted fault must be caught.
mutants:
	tools/mutants

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
