#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/mediagen/MediaGen.h"

namespace MediaGen {
namespace {

struct Vec3 {
    double x, y, z;
};
struct Vec2 {
    double u, v;
};
struct Corner {
    int position, uv, normal;  // 1-based, as OBJ writes them
};

// Collects OBJ entries and writes them in the subset the game reads.
class ObjWriter {
public:
    int addPosition(Vec3 p) {
        positions.push_back(p);
        return static_cast<int>(positions.size());
    }
    int addUv(Vec2 t) {
        uvs.push_back(t);
        return static_cast<int>(uvs.size());
    }
    int addNormal(Vec3 n) {
        normals.push_back(n);
        return static_cast<int>(normals.size());
    }
    void addTriangle(Corner a, Corner b, Corner c) { faces.push_back({a, b, c}); }

    bool write(const std::string& path, const char* title) const {
        FILE* f = std::fopen(path.c_str(), "w");
        if (!f) return false;
        std::fprintf(f, "# %s, written by kelvarin-mediagen\n", title);
        for (const Vec3& p : positions) std::fprintf(f, "v %.6f %.6f %.6f\n", p.x, p.y, p.z);
        for (const Vec2& t : uvs) std::fprintf(f, "vt %.6f %.6f\n", t.u, t.v);
        for (const Vec3& n : normals) std::fprintf(f, "vn %.6f %.6f %.6f\n", n.x, n.y, n.z);
        for (const auto& face : faces) {
            std::fprintf(f, "f");
            for (const Corner& c : face) std::fprintf(f, " %d/%d/%d", c.position, c.uv, c.normal);
            std::fprintf(f, "\n");
        }
        return std::fclose(f) == 0;
    }

private:
    std::vector<Vec3> positions;
    std::vector<Vec2> uvs;
    std::vector<Vec3> normals;
    std::vector<std::vector<Corner>> faces;
};

// One face of an axis-aligned box: outward normal n and tangents u, v with u x v = n, so the
// triangles wind counter-clockwise seen from outside and the picture is not mirrored.
struct BoxFace {
    Vec3 n, u, v;
    double uvWidth, uvHeight;
};

void addBox(ObjWriter& obj, Vec3 half, const BoxFace (&faces)[6]) {
    for (const BoxFace& face : faces) {
        const int normal = obj.addNormal(face.n);
        Corner corners[4];
        const int signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int i = 0; i < 4; ++i) {
            const double s = signs[i][0];
            const double t = signs[i][1];
            const Vec3 p{(face.n.x + s * face.u.x + t * face.v.x) * half.x,
                         (face.n.y + s * face.u.y + t * face.v.y) * half.y,
                         (face.n.z + s * face.u.z + t * face.v.z) * half.z};
            corners[i] = {obj.addPosition(p),
                          obj.addUv({(s + 1) / 2 * face.uvWidth, (t + 1) / 2 * face.uvHeight}),
                          normal};
        }
        obj.addTriangle(corners[0], corners[1], corners[2]);
        obj.addTriangle(corners[0], corners[2], corners[3]);
    }
}

// The cube's faces tile the texture four times each way: the room's walls are this cube scaled
// by 10, and one stretched picture per wall looks wrong.
constexpr double kCubeTiles = 4.0;

bool writeCube(const std::string& path) {
    const BoxFace faces[6] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}, kCubeTiles, kCubeTiles},
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}, kCubeTiles, kCubeTiles},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}, kCubeTiles, kCubeTiles},
        {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}, kCubeTiles, kCubeTiles},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, kCubeTiles, kCubeTiles},
        {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, kCubeTiles, kCubeTiles},
    };
    ObjWriter obj;
    addBox(obj, {1, 1, 1}, faces);
    return obj.write(path, "cube spanning -1 to 1");
}

// A brick of 2 : 1 : 1; its half width of 0.8 lets 11 bricks with a 0.01 gap stand in the room.
constexpr Vec3 kBrickHalf{0.8, 0.4, 0.4};

bool writeBrick(const std::string& path) {
    // The texture is one brick's long face; the square ends show half of it.
    const BoxFace faces[6] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}, 0.5, 1.0}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}, 0.5, 1.0},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}, 1.0, 1.0}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}, 1.0, 1.0},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, 1.0, 1.0},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, 1.0, 1.0},
    };
    ObjWriter obj;
    addBox(obj, kBrickHalf, faces);
    return obj.write(path, "brick, 1.6 x 0.8 x 0.8");
}

constexpr int kSphereSlices = 24;
constexpr int kSphereStacks = 16;

bool writeSphere(const std::string& path) {
    ObjWriter obj;
    const double pi = std::acos(-1.0);
    std::vector<std::vector<Corner>> grid(kSphereStacks + 1,
                                          std::vector<Corner>(kSphereSlices + 1));
    for (int stack = 0; stack <= kSphereStacks; ++stack) {
        const double polar = pi * stack / kSphereStacks;
        for (int slice = 0; slice <= kSphereSlices; ++slice) {
            const double azimuth = 2.0 * pi * slice / kSphereSlices;
            const Vec3 p{std::sin(polar) * std::cos(azimuth), std::cos(polar),
                         -std::sin(polar) * std::sin(azimuth)};
            const int index = obj.addPosition(p);
            grid[stack][slice] = {index,
                                  obj.addUv({static_cast<double>(slice) / kSphereSlices,
                                             1.0 - static_cast<double>(stack) / kSphereStacks}),
                                  obj.addNormal(p)};
        }
    }
    for (int stack = 0; stack < kSphereStacks; ++stack) {
        for (int slice = 0; slice < kSphereSlices; ++slice) {
            const Corner a = grid[stack][slice];
            const Corner b = grid[stack + 1][slice];
            const Corner c = grid[stack + 1][slice + 1];
            const Corner d = grid[stack][slice + 1];
            if (stack != 0) obj.addTriangle(a, b, d);
            if (stack != kSphereStacks - 1) obj.addTriangle(d, b, c);
        }
    }
    return obj.write(path, "UV sphere of radius 1");
}

}  // namespace

bool writeModels(const std::string& dir) {
    return writeCube(dir + "/cube.obj") && writeBrick(dir + "/brick.obj") &&
           writeSphere(dir + "/sphere.obj");
}

}  // namespace MediaGen
