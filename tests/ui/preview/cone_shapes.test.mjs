import assert from "node:assert/strict";
import { readFileSync, writeFileSync } from "node:fs";
import { test } from "node:test";

import { groupTruncatedCones } from "../../../src/ui/preview/page/cone_shapes.mjs";

const scenes = new URL("scenes/", import.meta.url);
const read = (name) => readFileSync(new URL(name, scenes), "latin1");

// Each row: a scene file as the editor wrote it, and the text the browser gets.
const rows = [
  { name: "two cones become two groups", file: "two_cones.wrl", expected: "two_cones.grouped.wrl" },
  { name: "a scene without a cone stays as it is", file: "no_cone.wrl", expected: "no_cone.wrl" },
];

for (const { name, file, expected } of rows) {
  test(name, () => {
    const actual = groupTruncatedCones(read(file));
    if (actual !== read(expected)) writeFileSync(new URL(`${expected}.actual`, scenes), actual, "latin1");
    assert.equal(actual, read(expected));
  });
}
