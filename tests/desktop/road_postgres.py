#!/usr/bin/python3
"""The new order road on PostgreSQL (the server of KV_TEST_PG, a database of the road's own), checked
with psql; skipped when KV_TEST_PG is not set."""
import road_neworder
from roads import kvdesk

kvdesk.run(road_neworder.road, backend='postgres')
