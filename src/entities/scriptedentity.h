#pragma once

#include "entities/entity.h"

#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <vector>

class RessourceManager;
class Sprite;

enum TypeDeclenchement
{
    Dont = 0,
    OnMapLoading = 1,
    OnCollision = 2,
    OnShoot = 3,
    AfterWait = 4,
};

// A level object carrying a script: its header says when it runs by itself, its
// commands stage the level (dialogues, puzzles, abilities, other entities).
class ScriptedEntity : public Entity
{
public:
    // Takes ownership of the picture, as every entity does.
    ScriptedEntity(RessourceManager* rm, Sprite* sprite, std::string path, int x, int y);
    ~ScriptedEntity() override = default;

    void update(float t) override;
    void activate() override;
    void onShoot() override;
    void onCollision() override;
    virtual void load();

    // The two readers of a script file; each skips what it does not know.
    void readHeader(std::istream& fichier);
    void runCommands(std::istream& fichier);

    TypeDeclenchement getTypeDeclenchement() const;
    // The ids its "[ActivateEntity]" commands name, in file order, noted while the
    // header is read: what a run of the script will activate.
    const std::vector<int>& getActivatedIds() const;
    float getTempsAvantDeclenchement() const;

    // Scripts that activate scripts (directly, or through dialogues and puzzles) stop here.
    static constexpr int MAX_NESTING = 16;
    // However scripts branch, one frame gives them this much and drops the rest, so that
    // no script, however it calls itself, can hold the game inside one frame.
    static constexpr int MAX_ACTIVATIONS_PER_FRAME = 256;
    // Script text read in one frame, by headers and activations together.
    static constexpr std::size_t MAX_TEXT_PER_FRAME = 1u << 20;
    // Dialogues and puzzles opened by scripts in one frame.
    static constexpr int MAX_SCENES_PER_FRAME = 16;
    // A new frame: scripts get their whole allowance again.
    static void startFrame();

private:
    bool runCommand(const std::string& command, std::istream& fichier);
    void noteActivatedId(std::istream& fichier);
    // The script file, counted against the frame's allowance; null when it cannot be read.
    std::unique_ptr<std::istream> openScript();
    // False, said once per frame, when what the frame allows scripts is spent.
    bool withinFrame(bool allowed);
    // One more dialogue or puzzle opened this frame, if the frame allows it.
    bool takeScene();
    void showDialogue(const std::string& path, int idEntiterAActiver);

    std::string m_path;
    TypeDeclenchement m_typeDeclenchement;
    float m_tempsAvantDeclenchement;
    bool m_seRepete;
    std::vector<int> m_activatedIds;
};
