import assert from "node:assert/strict";
import { readFileSync, writeFileSync } from "node:fs";
import { test } from "node:test";

import { groupTruncatedCones } from "../../../src/ui/preview/page/cone_shapes.mjs";

const scenes = new URL("scenes/", import.meta.url);
const read = (name) => readFileSync(new URL(name, scenes), "latin1");

// A scene file as the editor wrote it, and the text the browser gets.
for (const [name, file, expected] of [
  ["two cones become two groups", "two_cones.wrl", "two_cones.grouped.wrl"],
  ["a scene without a cone stays as it is", "no_cone.wrl", "no_cone.wrl"],
]) {
  test(name, () => {
    const actual = groupTruncatedCones(read(file));
    if (actual !== read(expected)) writeFileSync(new URL(`${expected}.actual`, scenes), actual, "latin1");
    assert.equal(actual, read(expected));
  });
}
