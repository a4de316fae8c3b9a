// The scene file puts each truncated cone in as the geometry of a Shape:
//
//   Shape {
//   geometry TruncatedCone {
//   appearance USE Gray
//   height ... topRadius ... bottomRadius ...
//   }
//   }
//
// The TruncatedCone prototype's body begins with a Group, so its instances are
// grouping nodes, not geometry, and a strict browser drops them from the
// geometry field: the cone would vanish. The file stays exactly as written;
// only the copy handed to the browser changes. "Shape {" becomes "Group {" and
// the instance moves into its "children" field, which may hold a single node
// without brackets, so the same two closing braces now close the instance and
// the Group. The prototype's own script then builds the truncated cone.
const coneShape = /^Shape \{(\r?\n)geometry TruncatedCone \{(?=\r?\n|$)/gm;

export function groupTruncatedCones(vrml) {
  return vrml.replace(coneShape, "Group {$1children TruncatedCone {");
}
