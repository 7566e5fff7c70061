"""Runs tools/verify-draw.py with drand's relays replaced by a test's own, so that no test ever
asks the real ones.

    python3 run_verify_draw.py VERIFY_DRAW_PY RELAY[,RELAY...] ARGUMENTS...

RELAY "-" for none: every relay the script knows is then out of reach.
"""

import importlib.util
import sys

source = importlib.util.spec_from_file_location("verify_draw", sys.argv[1])
verify_draw = importlib.util.module_from_spec(source)
source.loader.exec_module(verify_draw)
verify_draw.RELAYS = [] if sys.argv[2] == "-" else sys.argv[2].split(",")
sys.argv = [sys.argv[1]] + sys.argv[3:]
sys.exit(verify_draw.main())
