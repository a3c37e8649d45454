#pragma once

#include "entities/entity.h"

#include <istream>
#include <string>

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
    float getTempsAvantDeclenchement() const;

    // Scripts that activate scripts (directly, or through dialogues and puzzles) stop here.
    static constexpr int MAX_NESTING = 16;

private:
    bool runCommand(const std::string& command, std::istream& fichier);
    void showDialogue(const std::string& path, int idEntiterAActiver);

    std::string m_path;
    TypeDeclenchement m_typeDeclenchement;
    float m_tempsAvantDeclenchement;
    bool m_seRepete;
};
