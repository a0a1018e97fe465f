"""Runs every AT-SPI test in this folder on one private desktop, against PROGRAM;
exits non-zero when a test fails or none ran.

    /usr/bin/python3 tests/accessibility/run.py build/quadratic-tutor [-v] [-k PATTERN]
        [--budget SECONDS]

After --budget seconds (45 by default, under CTest's limit of 55) every wait fails at
once, so that a program that stops answering still gets a full report.
"""

import argparse
import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # no __pycache__ in the source tree


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("-v", "--verbose", action="store_true")
    parser.add_argument("-k", dest="patterns", action="append",
                        help="only the tests whose name contains PATTERN")
    parser.add_argument("--budget", type=float, default=45,
                        help="seconds after which every wait fails at once (default 45)")
    args = parser.parse_args()
    if not os.access(args.program, os.X_OK):
        sys.exit("run.py: no program at %s" % args.program)

    loader = unittest.TestLoader()
    if args.patterns:
        loader.testNamePatterns = ["*%s*" % p for p in args.patterns]
    suite = loader.discover(HERE, pattern="test_*.py", top_level_dir=HERE)
    import window
    window.PROGRAM = os.path.realpath(args.program)
    window.DEADLINE = time.monotonic() + args.budget
    result = unittest.TextTestRunner(verbosity=2 if args.verbose else 1).run(suite)
    if result.testsRun == 0:
        print("run.py: no test ran", file=sys.stderr)
        return 1
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
